#pragma once

#include <Qt>

namespace rectix::ui {

// Sets the application's cursor (the hourglass unless told otherwise) for its lifetime and puts
// the previous one back on every exit path. Guards nest.
class BusyCursor {
  public:
    explicit BusyCursor(Qt::CursorShape shape = Qt::WaitCursor);
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace rectix::ui
