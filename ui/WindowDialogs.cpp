#include "ui/WindowDialogs.h"

#include "ui/ActivationReturn.h"
#include "ui/DialogText.h"
#include "ui/Help.h"
#include "ui/MessageWindow.h"

#include <QApplication>
#include <QCursor>

namespace rectix::ui {

using core::DialogButton;
using core::DialogButtons;
using core::DialogKind;

namespace {

const char* title(DialogKind kind) {
    switch (kind) {
    case DialogKind::Warning:
        return "Warning";
    case DialogKind::Error:
        return "Error";
    case DialogKind::Information:
        return "Information";
    case DialogKind::Confirmation:
        return "Confirm";
    }
    return "";
}

MessageWindow::Icon icon(DialogKind kind) {
    switch (kind) {
    case DialogKind::Warning:
        return MessageWindow::Icon::Warning;
    case DialogKind::Error:
        return MessageWindow::Icon::Stop;
    case DialogKind::Information:
        return MessageWindow::Icon::Information;
    case DialogKind::Confirmation:
        return MessageWindow::Icon::Question;
    }
    return MessageWindow::Icon::None;
}

// Shows the dialog modally with the ordinary cursor, also while a busy cursor is set.
DialogButton run(MessageWindow& dialog) {
    const ActivationReturn activation;
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    dialog.exec();
    if (busy) QApplication::restoreOverrideCursor();
    activation.giveBack();
    return dialog.answer();
}

QWidget* owner() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

} // namespace

DialogButton WindowDialogs::show(DialogKind kind, const std::string& text, DialogButtons buttons,
                                 int helpContext) {
    MessageWindow dialog(QString::fromLatin1(title(kind)), icon(kind), dialogText(text), buttons, owner());
    Help::setContext(&dialog, helpContext);
    return run(dialog);
}

void WindowDialogs::errorBox(const std::string& text) {
    MessageWindow dialog(QCoreApplication::applicationName(), MessageWindow::Icon::Stop, dialogText(text),
                         DialogButton::Ok, owner());
    run(dialog);
}

void WindowDialogs::plainMessage(const std::string& text) {
    MessageWindow dialog(QCoreApplication::applicationName(), MessageWindow::Icon::None, dialogText(text),
                         DialogButton::Ok, owner());
    run(dialog);
}

} // namespace rectix::ui
