#pragma once

#include "ui/FieldLink.h"

#include <QCheckBox>

#include <string>

namespace rectix::ui {

// A check box bound to a Boolean field of a cursor (or a text field holding "True" and
// "False"): it shows the current record's value, null as unchecked. Toggling it puts the cursor
// into edit and writes the field at once; a refused or failed write (failures go to the error
// box) shows the field's value again. The record stays in edit until the cursor posts.
//
// It cannot be toggled while set read-only, while the cursor is closed or when the field is
// read-only. The cursor must outlive it; an unknown field name is a DatabaseError.
class DataCheckBox : public QCheckBox, public FieldLink {
    Q_OBJECT
  public:
    DataCheckBox(dataset::Cursor& cursor, const std::string& field, QWidget* parent = nullptr);

    void setReadOnly(bool on) { ownReadOnly_ = on; }
    bool isReadOnly() const;

  signals:
    // The check box got the focus.
    void entered();

  protected:
    void nextCheckState() override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    void showValue() override;

    bool ownReadOnly_ = false;
};

} // namespace rectix::ui
