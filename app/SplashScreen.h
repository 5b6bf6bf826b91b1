#pragma once

#include <QWidget>

namespace rectix::app {

// The splash window shown while start-up creates the windows: no border, a lowered silver panel
// and the splash picture, centred on the screen.
class SplashScreen : public QWidget {
    Q_OBJECT
  public:
    SplashScreen();
};

} // namespace rectix::app
