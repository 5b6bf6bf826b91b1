#include "ui/Help.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace rectix::ui {

namespace {

constexpr const char* kContextProperty = "helpContext";

} // namespace

Help& Help::global() {
    static Help instance;
    instance.watchApplication();
    return instance;
}

void Help::watchApplication() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || watched_ == app) return;
    app->installEventFilter(this);
    watched_ = app;
}

void Help::setContext(QWidget* widget, int context) {
    widget->setProperty(kContextProperty, context);
}

int Help::ownContext(const QWidget* widget) {
    return widget->property(kContextProperty).toInt();
}

int Help::contextOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if (const int context = ownContext(w)) return context;
    }
    return 0;
}

bool Help::request(HelpCommand command, long data) {
    if (!handler_) return false;
    return handler_(command, data);
}

bool Help::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    // The key reaches the filter once per widget it bubbles through; the first one, the focus
    // widget, decides. Without a context F1 is an ordinary key.
    const int context = contextOf(widget);
    if (context == 0) return false;
    showContext(context);
    return true;
}

} // namespace rectix::ui
