#pragma once

#include "dataset/Cursor.h"

#include <initializer_list>
#include <vector>

namespace rectix::taskdb {

// Stops the views of the given cursors for a scope: their grids do not
// repaint while rows change, and they show the result once the scope ends,
// however it ends.
class ControlsOff {
  public:
    ControlsOff(std::initializer_list<dataset::Cursor*> cursors) : cursors_(cursors) {
        for (dataset::Cursor* c : cursors_) c->disableControls();
    }
    ~ControlsOff() {
        for (dataset::Cursor* c : cursors_) c->enableControls();
    }
    ControlsOff(const ControlsOff&) = delete;
    ControlsOff& operator=(const ControlsOff&) = delete;

  private:
    std::vector<dataset::Cursor*> cursors_;
};

} // namespace rectix::taskdb
