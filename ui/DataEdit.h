#pragma once

#include "ui/FieldLink.h"
#include "ui/PendingEdit.h"

#include <QLineEdit>

#include <string>

namespace rectix::ui {

// A line edit bound to one field of a cursor: it shows the current record's value (its display
// text, or the plain text while it has the focus). Typing puts the cursor into edit. Enter, and
// the focus leaving the edit, write the text into the field; the record stays in edit until the
// cursor posts (a move, the navigator, or the owner's handler of exited()). Esc gives back the
// field's value. A refused or failed write (failures go to the error box) shows the field's
// value again.
//
// It is read-only while set so, while the cursor is closed and when the field is read-only or
// calculated. The cursor must outlive the edit; an unknown field name is a DatabaseError.
class DataEdit : public QLineEdit, public PendingEdit, public FieldLink {
    Q_OBJECT
  public:
    DataEdit(dataset::Cursor& cursor, const std::string& field, QWidget* parent = nullptr);
    // The edit's own setting; hides QLineEdit::setReadOnly so that the binding can add to it.
    void setReadOnly(bool on);
    // Writes typed text into the field now; false when the write failed or was refused.
    bool commit();
    bool commitPendingEdit() override { return commit(); }

  signals:
    // The focus went to another control of the window (after the text was written).
    void exited();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void cursorScrolled(dataset::Cursor&) override { cursorMoved(); }
    void cursorDataChanged(dataset::Cursor&) override { cursorMoved(); }
    void cursorRecordChanged(dataset::Cursor&, const dataset::Field& f) override;
    void cursorStateChanged(dataset::Cursor&) override;

    void cursorMoved();
    void typed();
    void showValue() override;

    bool ownReadOnly_ = false;
    bool typing_ = false; // text typed and not yet written
    bool busy_ = false;   // the edit itself is changing the cursor
};

} // namespace rectix::ui
