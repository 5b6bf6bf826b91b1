#include "ui/ControlBuilders.h"

#include <QPushButton>

namespace rectix::ui {

QPushButton* namedButton(const char* name, const QString& caption, const QString& hint) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty()) b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

DataColumn readOnlyColumn(const char* field, int widthPixels) {
    DataColumn c;
    c.field = field;
    c.widthPixels = widthPixels;
    c.readOnly = true;
    return c;
}

} // namespace rectix::ui
