#include "ui/DataLabel.h"

#include "dataset/Cursor.h"
#include "dataset/Field.h"
#include "ui/ErrorBoundary.h"
#include "ui/ShownValue.h"

namespace rectix::ui {

DataLabel::DataLabel(dataset::Cursor& cursor, const std::string& field, QWidget* parent)
    : QLabel(parent), cursor_(cursor), field_(cursor.field(field)) {
    cursor_.addObserver(this);
    showValue();
}

DataLabel::~DataLabel() {
    cursor_.removeObserver(this);
}

void DataLabel::showValue() {
    QString text;
    if (cursor_.isOpen()) ErrorBoundary::run([&] { text = shownValue(field_, field_.value()); });
    setText(text);
}

} // namespace rectix::ui
