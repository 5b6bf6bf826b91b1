#pragma once

#include "engine/Progress.h"

namespace rectix::taskdb {

// The progress window as the long table operations use it: the engine's
// progress interface, and showing and hiding the window around an operation.
class ProgressView : public engine::Progress {
  public:
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
};

class NullProgressView : public ProgressView {
  public:
    void showWindow() override {}
    void hideWindow() override {}
};

} // namespace rectix::taskdb
