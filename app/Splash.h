#pragma once

#include <QWidget>

namespace rectix::app {

// The splash window shown while start-up creates the windows: no border, a lowered silver panel
// and the splash picture, centred on the screen.
class TSplashForm : public QWidget {
    Q_OBJECT
  public:
    TSplashForm();
};

} // namespace rectix::app
