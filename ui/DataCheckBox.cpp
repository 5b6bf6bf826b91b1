#include "ui/DataCheckBox.h"

#include "dataset/Cursor.h"
#include "dataset/Field.h"
#include "ui/ErrorBoundary.h"

namespace rectix::ui {

DataCheckBox::DataCheckBox(dataset::Cursor& cursor, const std::string& field, QWidget* parent)
    : QCheckBox(parent), FieldLink(cursor, field) {
    showValue();
}

bool DataCheckBox::isReadOnly() const {
    return ownReadOnly_ || !cursor_.isOpen() || field_.readOnly() ||
           field_.kind() == dataset::FieldKind::Calculated;
}

void DataCheckBox::nextCheckState() {
    if (isReadOnly()) return;
    ErrorBoundary::run([&] {
        const bool on = !field_.asBoolean();
        if (cursor_.state() != dataset::CursorState::Edit && cursor_.state() != dataset::CursorState::Insert)
            cursor_.edit();
        field_.setBoolean(on);
    });
    showValue();
}

void DataCheckBox::focusInEvent(QFocusEvent* event) {
    QCheckBox::focusInEvent(event);
    emit entered();
}

void DataCheckBox::showValue() {
    bool on = false;
    if (cursor_.isOpen()) ErrorBoundary::run([&] { on = field_.asBoolean(); });
    setChecked(on);
}

} // namespace rectix::ui
