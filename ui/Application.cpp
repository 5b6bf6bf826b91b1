#include "ui/Application.h"

#include "ui/CommandGuard.h"
#include "ui/ErrorBoundary.h"
#include "ui/KeyTimes.h"
#include "ui/RegionalSettings.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace rectix::ui {

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv), replaced_(core::Dialogs::install(&dialogs_)), guard_(new CommandGuard(this)) {
    RegionalSettings::useSystem();
    installEventFilter(guard_);
    installNativeEventFilter(guard_);
    new KeyTimes(this);
}

Application& Application::instance() {
    return *static_cast<Application*>(QCoreApplication::instance());
}

Application::~Application() {
    core::Dialogs::install(replaced_);
}

namespace {

// A key press that would type text with Alt held into a control that takes text. Alt with Ctrl
// is how some keyboards' AltGr arrives, and it types a character: that one is let through.
bool isAltTyping(const QObject* receiver, const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers();
    if (!(mods & Qt::AltModifier) || (mods & Qt::ControlModifier)) return false;
    const QString text = key->text();
    if (text.isEmpty() || !text.front().isPrint()) return false;
    return qobject_cast<const QLineEdit*>(receiver) || qobject_cast<const QAbstractSpinBox*>(receiver) ||
           qobject_cast<const QTextEdit*>(receiver) || qobject_cast<const QPlainTextEdit*>(receiver) ||
           qobject_cast<const QComboBox*>(receiver) || qobject_cast<const QAbstractItemView*>(receiver);
}

} // namespace

bool Application::notify(QObject* receiver, QEvent* event) {
    // The shortcuts had their turn before the key press is sent: this one is no command, and
    // typed it would change data the user never meant to change.
    if (isAltTyping(receiver, event)) {
        event->accept();
        return true;
    }
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ErrorBoundary::reportCurrent();
        return false;
    }
}

} // namespace rectix::ui
