#include "ui/TitleBar.h"

#include <QApplication>
#include <QFontMetrics>
#include <QString>

namespace rectix::ui {

namespace {

// The icon, the minimise, maximise and close buttons and the bar's margins.
constexpr int decorationWidth = 110;

} // namespace

int titleBarWidth(const QString& title) {
    QFont bold = QApplication::font();
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(title) + decorationWidth;
}

} // namespace rectix::ui
