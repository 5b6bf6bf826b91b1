#include "ui/CommandGuard.h"

#include "core/ScopeGuard.h"
#include "ui/PendingEdit.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QShortcutEvent>
#include <QTabBar>
#include <QWidget>
#include <QWindow>

#include <cstdint>
#include <cstdlib>
#include <utility>

#if defined(RECTIX_HAVE_XCB)
#include <xcb/xcb.h>
#endif

namespace rectix::ui {

namespace {

// The window a control belongs to; a pop-up menu belongs to the window it was opened over.
QWidget* ownerWindow(QWidget* w) {
    QWidget* window = w->window();
    while (window->windowType() == Qt::Popup && window->parentWidget())
        window = window->parentWidget()->window();
    return window;
}

// Across windows too: the list of a drop-down editor is a window of its own inside the editor.
bool within(const QWidget* host, const QWidget* w) {
    for (; w; w = w->parentWidget())
        if (w == host) return true;
    return false;
}

// The controls whose press runs a command or changes what the next one acts on. A press on a
// label or on the window's background moves nothing and leaves the typing open.
bool acts(const QObject* o) {
    return qobject_cast<const QAbstractButton*>(o) || qobject_cast<const QAbstractSlider*>(o) ||
           qobject_cast<const QAbstractSpinBox*>(o) || qobject_cast<const QMenu*>(o) ||
           qobject_cast<const QMenuBar*>(o) || qobject_cast<const QTabBar*>(o);
}

QWidget* widgetOf(const QWindow* handle) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowHandle() == handle) return w;
    return nullptr;
}

#if defined(RECTIX_HAVE_XCB)
xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(c, 0, static_cast<std::uint16_t>(qstrlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    if (!reply) return XCB_ATOM_NONE;
    const xcb_atom_t a = reply->atom;
    std::free(reply);
    return a;
}

// The window a window manager's close request names, or 0.
WId closeRequested(const xcb_generic_event_t* event) {
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return 0;
    const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event);
    static xcb_atom_t protocols = XCB_ATOM_NONE;
    static xcb_atom_t deleteWindow = XCB_ATOM_NONE;
    if (protocols == XCB_ATOM_NONE) {
        const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        if (!x11 || !x11->connection()) return 0;
        protocols = atom(x11->connection(), "WM_PROTOCOLS");
        deleteWindow = atom(x11->connection(), "WM_DELETE_WINDOW");
    }
    if (message->format != 32 || message->type != protocols || message->data.data32[0] != deleteWindow)
        return 0;
    return message->window;
}
#endif

// The button that an accelerator addressed to `watched` presses, if that is all it does.
QAbstractButton* pressedByAccelerator(QObject* watched, const QShortcutEvent& event) {
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || event.isAmbiguous() || !button->isEnabled() || button->shortcut() != event.key())
        return nullptr;
    return button;
}

} // namespace

CommandGuard::CommandGuard(QObject* parent) : QObject(parent) {}

void CommandGuard::closeBoxPressed(WId window) {
    closeBoxWindow_ = window;
    // The toolkit delivers or drops the request when it handles the window system's events, and
    // posted calls come after those.
    const std::uint64_t request = ++closeRequests_;
    QMetaObject::invokeMethod(
        this,
        [this, request] {
            if (request == closeRequests_) closeBoxWindow_ = 0;
        },
        Qt::QueuedConnection);
}

bool CommandGuard::committed(QWidget* focus, const QWidget* target) {
    QWidget* host = nullptr;
    PendingEdit* edit = pendingEditAt(focus, &host);
    if (!edit || (target && within(host, target))) return true;
    const bool was = std::exchange(busy_, true);
    const core::ScopeGuard restore([this, was] { busy_ = was; });
    return edit->commitPendingEdit();
}

bool CommandGuard::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#if defined(RECTIX_HAVE_XCB)
    if (eventType == "xcb_generic_event_t")
        if (const WId window = closeRequested(static_cast<const xcb_generic_event_t*>(message)))
            closeBoxPressed(window);
#else
    (void)eventType;
    (void)message;
#endif
    return false;
}

PendingEdit* CommandGuard::pendingEditAt(QWidget* focus, QWidget** host) {
    for (QWidget* w = focus; w; w = w->isWindow() ? nullptr : w->parentWidget())
        if (auto* edit = dynamic_cast<PendingEdit*>(w)) {
            if (host) *host = w;
            return edit;
        }
    return nullptr;
}

bool CommandGuard::eventFilter(QObject* watched, QEvent* event) {
    if (busy_) return false;
    switch (event->type()) {
    case QEvent::Shortcut: {
        QWidget* focus = QApplication::focusWidget();
        if (focus && !committed(focus, qobject_cast<QWidget*>(watched))) {
            event->accept();
            return true;
        }
        // The toolkit would show the button pressed and click it a tenth of a second later; keys
        // typed meanwhile would reach the window before the command's question blocks it.
        QAbstractButton* button = pressedByAccelerator(watched, *static_cast<QShortcutEvent*>(event));
        if (!button) return false;
        event->accept();
        if (button->isCheckable() && (button->focusPolicy() & Qt::ClickFocus)) button->setFocus();
        button->click();
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* target = qobject_cast<QWidget*>(watched);
        QWidget* focus = QApplication::focusWidget();
        if (!target || !focus || !acts(target) || !target->isEnabled() ||
            ownerWindow(target) != focus->window())
            return false;
        if (committed(focus, target)) return false;
        event->accept();
        return true;
    }
    case QEvent::Close: {
        // Only the close box; the program's own closes decide for themselves what they keep.
        auto* handle = qobject_cast<QWindow*>(watched);
        if (!handle || closeBoxWindow_ == 0 || handle->winId() != closeBoxWindow_) return false;
        closeBoxWindow_ = 0;
        QWidget* window = widgetOf(handle);
        QWidget* focus = window && window->isVisible() ? window->focusWidget() : nullptr;
        if (!focus || committed(focus, nullptr)) return false;
        event->ignore();
        return true;
    }
    default:
        return false;
    }
}

} // namespace rectix::ui
