#include "ui/DataEdit.h"

#include "ui/ShownValue.h"

#include "dataset/Cursor.h"
#include "dataset/Field.h"
#include "ui/ErrorBoundary.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace rectix::ui {

namespace {

bool editing(const dataset::Cursor& c) {
    return c.state() == dataset::CursorState::Edit || c.state() == dataset::CursorState::Insert;
}

} // namespace

DataEdit::DataEdit(dataset::Cursor& cursor, const std::string& field, QWidget* parent)
    : QLineEdit(parent), FieldLink(cursor, field) {
    if (field_.type() == dataset::FieldType::String && field_.size() > 0) setMaxLength(field_.size());
    connect(this, &QLineEdit::textEdited, this, &DataEdit::typed);
    showValue();
}

void DataEdit::setReadOnly(bool on) {
    ownReadOnly_ = on;
    showValue();
}

void DataEdit::typed() {
    typing_ = true;
    if (editing(cursor_)) return;
    busy_ = true;
    const bool ok = ErrorBoundary::run([&] { cursor_.edit(); });
    busy_ = false;
    if (!ok) showValue();
}

bool DataEdit::commit() {
    if (busy_) return false;
    if (!typing_) return true;
    // Cleared first: an error box taking the focus must not write the text a second time.
    typing_ = false;
    const QString text = this->text();
    busy_ = true;
    const bool ok = ErrorBoundary::run([&] {
        if (!editing(cursor_)) cursor_.edit();
        field_.setValue(typedValue(field_, text));
    });
    busy_ = false;
    showValue();
    return ok;
}

void DataEdit::showValue() {
    typing_ = false;
    const bool open = cursor_.isOpen();
    QLineEdit::setReadOnly(ownReadOnly_ || !open || field_.readOnly() ||
                           field_.kind() == dataset::FieldKind::Calculated);
    QString text;
    if (open)
        ErrorBoundary::run(
            [&] { text = hasFocus() ? editedText(field_) : shownValue(field_, field_.value()); });
    setText(text);
}

void DataEdit::cursorMoved() {
    if (!busy_) showValue();
}

void DataEdit::cursorRecordChanged(dataset::Cursor&, const dataset::Field& f) {
    if (&f == &field_ && !busy_) showValue();
}

void DataEdit::cursorStateChanged(dataset::Cursor&) {
    // Typed text stays while the record it was typed for is in edit.
    if (busy_ || (typing_ && editing(cursor_))) return;
    showValue();
}

void DataEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        commit();
        selectAll();
        event->accept();
        return;
    case Qt::Key_Escape:
        if (typing_) {
            showValue();
            selectAll();
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
}

void DataEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (!typing_) showValue();
}

void DataEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (busy_ || event->reason() == Qt::PopupFocusReason) return;
    commit();
    showValue();
    if (event->reason() != Qt::ActiveWindowFocusReason) emit exited();
}

} // namespace rectix::ui
