#pragma once

#include "dataset/CursorObserver.h"

#include <string>

namespace rectix::ui {

// The tie of a data-aware control to one field of a cursor: the control hears the cursor for as
// long as it lives, and by default every change the cursor reports shows the field anew. The
// cursor must outlive the control; an unknown field name is a DatabaseError.
class FieldLink : private dataset::CursorObserver {
  public:
    FieldLink(const FieldLink&) = delete;
    FieldLink& operator=(const FieldLink&) = delete;

    dataset::Field& field() const { return field_; }

  protected:
    FieldLink(dataset::Cursor& cursor, const std::string& field);
    ~FieldLink() override;

    // Shows the field's value in the current record.
    virtual void showValue() = 0;

    void cursorScrolled(dataset::Cursor&) override { showValue(); }
    void cursorDataChanged(dataset::Cursor&) override { showValue(); }
    void cursorRecordChanged(dataset::Cursor&, const dataset::Field&) override { showValue(); }
    void cursorStateChanged(dataset::Cursor&) override { showValue(); }

    dataset::Cursor& cursor_;
    dataset::Field& field_;
};

} // namespace rectix::ui
