#include "ui/BusyCursor.h"

#include <QApplication>
#include <QCursor>

namespace rectix::ui {

BusyCursor::BusyCursor(Qt::CursorShape shape) {
    QApplication::setOverrideCursor(QCursor(shape));
}

BusyCursor::~BusyCursor() {
    QApplication::restoreOverrideCursor();
}

} // namespace rectix::ui
