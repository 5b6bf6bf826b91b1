#include "ui/CaptionLabel.h"

#include <QLabel>

namespace rectix::ui {

QLabel* captionLabel(const char* name, bool bold) {
    auto* l = new QLabel;
    l->setObjectName(QString::fromLatin1(name));
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

} // namespace rectix::ui
