#include "ui/EnterPressesButton.h"

#include <QKeyEvent>
#include <QPushButton>

namespace rectix::ui {

EnterPressesButton::EnterPressesButton(QWidget* window) : QObject(window) {
    window->installEventFilter(this);
}

void EnterPressesButton::install(QWidget* window) {
    if (window) new EnterPressesButton(window);
}

bool EnterPressesButton::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || key->isAutoRepeat()) return false;
    auto* button = qobject_cast<QPushButton*>(static_cast<QWidget*>(watched)->focusWidget());
    if (!button || button->window() != watched || !button->isEnabled() || !button->isVisible()) return false;
    button->click();
    return true;
}

} // namespace rectix::ui
