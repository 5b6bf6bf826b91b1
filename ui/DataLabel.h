#pragma once

#include "dataset/CursorObserver.h"

#include <QLabel>

#include <string>

namespace rectix::dataset {
class Cursor;
class Field;
} // namespace rectix::dataset

namespace rectix::ui {

// A label showing one field of a cursor's current record as the data-aware controls show it;
// empty while the cursor is closed or has no row. The cursor must outlive the label; an unknown
// field name is a DatabaseError.
class DataLabel : public QLabel, private dataset::CursorObserver {
    Q_OBJECT
  public:
    DataLabel(dataset::Cursor& cursor, const std::string& field, QWidget* parent = nullptr);
    ~DataLabel() override;

    dataset::Field& field() const { return field_; }

  private:
    void cursorScrolled(dataset::Cursor&) override { showValue(); }
    void cursorDataChanged(dataset::Cursor&) override { showValue(); }
    void cursorRecordChanged(dataset::Cursor&, const dataset::Field&) override { showValue(); }
    void cursorStateChanged(dataset::Cursor&) override { showValue(); }

    void showValue();

    dataset::Cursor& cursor_;
    dataset::Field& field_;
};

} // namespace rectix::ui
