#pragma once

#include <QObject>

class QWidget;

namespace rectix::ui {

// Enter (or the keypad's Enter) on a focused push button presses it, as Space does, in the window
// it is installed on. Keys the focused control takes itself (a grid's or an edit's Enter) never
// reach it: it sees only what the focused push button leaves, which is also why a dialog's
// default button no longer answers an Enter meant for another button.
class EnterPressesButton : public QObject {
    Q_OBJECT
  public:
    // Lives as long as the window.
    static void install(QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit EnterPressesButton(QWidget* window);
};

} // namespace rectix::ui
