#include "ui/KeyTimes.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <iterator>

#if defined(RECTIX_HAVE_XCB)
#include <xcb/xcb.h>
#endif

namespace rectix::ui {

namespace {

KeyTimes* recorder = nullptr;
constexpr std::size_t kept = 64;

} // namespace

KeyTimes::KeyTimes(QObject* parent) : QObject(parent) {
    recorder = this;
    QCoreApplication::instance()->installEventFilter(this);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

KeyTimes::~KeyTimes() {
    if (recorder == this) recorder = nullptr;
}

quint64 KeyTimes::before(quint64 time) {
    if (!recorder) return 0;
    const auto after = recorder->times_.lower_bound(time);
    return after == recorder->times_.begin() ? 0 : *std::prev(after);
}

// A key comes here twice, from the window system and as a Qt event: its time counts once.
void KeyTimes::note(quint64 time) {
    if (time == 0) return;
    times_.insert(time);
    if (times_.size() > kept) times_.erase(times_.begin());
}

bool KeyTimes::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::KeyPress) note(static_cast<QKeyEvent*>(event)->timestamp());
    return false;
}

bool KeyTimes::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#if defined(RECTIX_HAVE_XCB)
    if (eventType == "xcb_generic_event_t") {
        const auto* e = static_cast<const xcb_generic_event_t*>(message);
        if ((e->response_type & 0x7f) == XCB_KEY_PRESS)
            note(reinterpret_cast<const xcb_key_press_event_t*>(e)->time);
    }
#else
    (void)eventType;
    (void)message;
#endif
    return false;
}

} // namespace rectix::ui
