#include "ui/WindowMessageDialogs.h"

#include "ui/DialogText.h"
#include "ui/Help.h"
#include "ui/MessageDialog.h"

#include <QApplication>
#include <QCursor>
#include <QPointer>

namespace rectix::ui {

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

MessageDialog::Icon icon(DialogKind kind) {
    switch (kind) {
    case DialogKind::Warning:
        return MessageDialog::Icon::Warning;
    case DialogKind::Error:
        return MessageDialog::Icon::Stop;
    case DialogKind::Information:
        return MessageDialog::Icon::Information;
    case DialogKind::Confirmation:
        return MessageDialog::Icon::Question;
    }
    return MessageDialog::Icon::None;
}

// Shows the dialog modally with the ordinary cursor, also while a busy cursor is set.
DialogButton run(MessageDialog& dialog) {
    const QPointer<QWidget> focus = QApplication::focusWidget();
    const QPointer<QWidget> window = focus ? focus->window() : nullptr;
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    dialog.exec();
    if (busy) QApplication::restoreOverrideCursor();
    if (window && window->isVisible()) window->activateWindow();
    if (focus && focus->isVisible() && focus->isEnabled()) focus->setFocus(Qt::OtherFocusReason);
    return dialog.answer();
}

QWidget* owner() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

} // namespace

DialogButton WindowMessageDialogs::show(DialogKind kind, const std::string& text, DialogButtons buttons,
                                        int helpContext) {
    MessageDialog dialog(QString::fromLatin1(title(kind)), icon(kind), dialogText(text), buttons, owner());
    Help::setContext(&dialog, helpContext);
    return run(dialog);
}

void WindowMessageDialogs::errorBox(const std::string& text) {
    MessageDialog dialog(QCoreApplication::applicationName(), MessageDialog::Icon::Stop, dialogText(text),
                         DialogButton::Ok, owner());
    run(dialog);
}

void WindowMessageDialogs::plainMessage(const std::string& text) {
    MessageDialog dialog(QCoreApplication::applicationName(), MessageDialog::Icon::None, dialogText(text),
                         DialogButton::Ok, owner());
    run(dialog);
}

} // namespace rectix::ui
