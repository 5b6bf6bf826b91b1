#include "ui/FieldLink.h"

#include "dataset/Cursor.h"

namespace rectix::ui {

FieldLink::FieldLink(dataset::Cursor& cursor, const std::string& field)
    : cursor_(cursor), field_(cursor.field(field)) {
    cursor_.addObserver(this);
}

FieldLink::~FieldLink() {
    cursor_.removeObserver(this);
}

} // namespace rectix::ui
