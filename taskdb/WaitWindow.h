#pragma once

#include "engine/Progress.h"

namespace rectix::taskdb {

// The progress window as the long table operations use it: the engine's
// progress interface, and showing and hiding the window around an operation.
class WaitWindow : public engine::Progress {
  public:
    virtual void Show() = 0;
    virtual void Hide() = 0;
};

class NullWaitWindow : public WaitWindow {
  public:
    void Show() override {}
    void Hide() override {}
};

} // namespace rectix::taskdb
