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

bool Hints::eventFilter(QObject*, QEvent* event) {
    return !shown_ && event->type() == QEvent::ToolTip;
}

} // namespace rectix::ui
