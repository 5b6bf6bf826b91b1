#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QWindow>

#include <cstdint>

class QWidget;

namespace rectix::ui {

class PendingEdit;

// Watches every event of the application: before a command acts (an accelerator, a press on a
// control of the window, the close box of a window), the pending edit that has the focus writes
// what was typed. A refused value, after its message, stops the command: the shortcut or the press
// is dropped, the window stays open. Closes made by the program itself are left alone: the program
// decides what they keep (the toolkit sends both kinds alike, so the close box is told apart by the
// window manager's request that comes before it).
//
// A button's accelerator presses the button at once, so that the keys typed after it come after
// its command: a question the command asks blocks its window before they are delivered, and they
// reach neither the question nor the window below it.
class CommandGuard : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
  public:
    explicit CommandGuard(QObject* parent = nullptr);

    // The window manager asked to close `window` (its close box, Alt+F4): the close of that window
    // that the request brings is the user's. A request the toolkit drops (a modal dialog blocks
    // the window) brings none, and the mark ends with the turn of the event loop that handled it.
    void closeBoxPressed(WId window);
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    // The pending edit that holds `focus` (the control itself or one of its parents), if any.
    static PendingEdit* pendingEditAt(QWidget* focus, QWidget** host = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Writes the pending edit at `focus` for a command aimed at `target` (null: the whole
    // window); false when the value was refused.
    bool committed(QWidget* focus, const QWidget* target);

    bool busy_ = false;      // a refusal's message is up: its own events pass
    WId closeBoxWindow_ = 0; // asked to close by the window manager, until its request is handled
    std::uint64_t closeRequests_ = 0;
};

} // namespace rectix::ui
