#include "ui/ActivationReturn.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTimer>

#if defined(RECTIX_HAVE_XCB)
#include <xcb/xcb.h>
#endif

namespace rectix::ui {

namespace {

// The window manager's answers to the activations of a window that has just been hidden (a
// progress window) arrive after it is gone; these are the delays after which they have.
constexpr int kLateChecks[] = {150, 600};

bool canTakeFocus(const QWidget* w) {
    return w && w->isVisible() && w->isEnabled() && w->focusPolicy() != Qt::NoFocus;
}

// Under X11 the window manager can give the input focus back to a window while the toolkit,
// reading the late answers, takes a hidden window for the active one and sends it the keys.
// Activating the window that holds the focus changes nothing, so the focus is parked on the
// root first: the activation then moves it back with the events that put both sides in step.
void resyncInputFocus() {
#if defined(RECTIX_HAVE_XCB)
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return;
    xcb_connection_t* c = x11->connection();
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, XCB_INPUT_FOCUS_POINTER_ROOT, XCB_CURRENT_TIME);
    xcb_flush(c);
#endif
}

void checkActivation(QWidget* window) {
    const QWidget* active = QApplication::activeWindow();
    if (active && active->isVisible()) return;
    if (!window->isVisible() || !window->isEnabled()) return;
    resyncInputFocus();
    window->activateWindow();
}

} // namespace

ActivationReturn::ActivationReturn(QWidget* fallback) {
    QWidget* active = QApplication::activeModalWidget();
    if (!active) active = QApplication::activeWindow();
    if (!active && fallback) active = fallback->window();
    window_ = active;
    if (!active) return;
    QWidget* focus = QApplication::focusWidget();
    focus_ = focus && focus->window() == active ? focus : active->focusWidget();
}

void ActivationReturn::giveBack() const {
    if (!window_ || !window_->isVisible() || !window_->isEnabled()) return;
    // A widget focused while the window was disabled or inactive is kept; one gone is replaced.
    if (!canTakeFocus(window_->focusWidget()) && canTakeFocus(focus_))
        focus_->setFocus(Qt::ActiveWindowFocusReason);
    window_->raise();
    window_->activateWindow();
    for (const int delay : kLateChecks)
        QTimer::singleShot(delay, window_, [window = window_] { checkActivation(window); });
}

} // namespace rectix::ui
