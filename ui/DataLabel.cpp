#include "ui/DataLabel.h"

#include "dataset/Cursor.h"
#include "dataset/Field.h"
#include "ui/ErrorBoundary.h"
#include "ui/ShownValue.h"

namespace rectix::ui {

DataLabel::DataLabel(dataset::Cursor& cursor, const std::string& field, QWidget* parent)
    : QLabel(parent), FieldLink(cursor, field) {
    showValue();
}

void DataLabel::showValue() {
    QString text;
    if (cursor_.isOpen()) ErrorBoundary::run([&] { text = shownValue(field_, field_.value()); });
    setText(text);
}

} // namespace rectix::ui
