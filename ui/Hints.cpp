#include "ui/Hints.h"

#include <QEvent>
#include <QToolTip>

namespace rectix::ui {

Hints& Hints::global() {
    static Hints instance;
    instance.watchApplication();
    return instance;
}

void Hints::watchApplication() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || watched_ == app) return;
    app->installEventFilter(this);
    watched_ = app;
}

void Hints::setShown(bool shown) {
    shown_ = shown;
    if (!shown && QToolTip::isVisible()) QToolTip::hideText();
}

void Hints::keepShown(QWidget* window) {
    keptShown_.append(window);
}

bool Hints::eventFilter(QObject* watched, QEvent* event) {
    if (shown_ || event->type() != QEvent::ToolTip) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    return !widget || !keptShown_.contains(widget->window());
}

} // namespace rectix::ui
