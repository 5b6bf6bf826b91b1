#pragma once

#include "lang/TextSet.h"

namespace rectix::lang {

// Writes a language's texts into the windows; the window layer implements it. Targets whose
// window does not exist are passed over.
class WindowTextWriter {
  public:
    virtual ~WindowTextWriter() = default;

    // Checks the set's menu item, then writes its window texts and grid column titles in order.
    virtual void write(const TextSet& set) = 0;
};

} // namespace rectix::lang
