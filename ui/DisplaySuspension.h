#pragma once

#include <functional>

namespace rectix::ui {

// Suspends a display (a grid's drawing, a table's notifications) for its lifetime: runs the
// suspend action at once and the resume action on every exit path.
class DisplaySuspension {
  public:
    DisplaySuspension(const std::function<void()>& suspend, std::function<void()> resume);
    ~DisplaySuspension();
    DisplaySuspension(const DisplaySuspension&) = delete;
    DisplaySuspension& operator=(const DisplaySuspension&) = delete;

  private:
    std::function<void()> resume_;
};

} // namespace rectix::ui
