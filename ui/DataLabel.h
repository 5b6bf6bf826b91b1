#pragma once

#include "ui/FieldLink.h"

#include <QLabel>

#include <string>

namespace rectix::ui {

// A label showing one field of a cursor's current record as the data-aware controls show it;
// empty while the cursor is closed or has no row. The cursor must outlive the label; an unknown
// field name is a DatabaseError.
class DataLabel : public QLabel, public FieldLink {
    Q_OBJECT
  public:
    DataLabel(dataset::Cursor& cursor, const std::string& field, QWidget* parent = nullptr);

  private:
    void showValue() override;
};

} // namespace rectix::ui
