#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QWindow>

class QWidget;

namespace rectix::ui {

class PendingEdit;

// Watches every event of the application: before a command acts (an accelerator, a press on a
// control of the window, the close box of a window), the pending edit that has the focus writes
// what was typed. A refused value, after its message, stops the command: the shortcut or the press
// is dropped, the window stays open. Closes made by the program itself are left alone: the program
// decides what they keep (the toolkit sends both kinds alike, so the close box is told apart by the
// window manager's request that comes before it).
class CommandGuard : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
  public:
    explicit CommandGuard(QObject* parent = nullptr);

    // The window manager asked to close `window` (its close box, Alt+F4): the next close of that
    // window is the user's.
    static void closeBoxPressed(WId window);
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    // The pending edit that holds `focus` (the control itself or one of its parents), if any.
    static PendingEdit* pendingEditAt(QWidget* focus, QWidget** host = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace rectix::ui
