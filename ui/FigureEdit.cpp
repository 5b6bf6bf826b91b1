#include "ui/FigureEdit.h"

#include "ui/FigureFit.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QStyle>
#include <QStyleOptionFrame>

namespace rectix::ui {

namespace {

// The line edit keeps this much clear on either side of its text, and a pixel for the cursor.
constexpr int textMargin = 2;
constexpr int cursorWidth = 1;

} // namespace

FigureEdit::FigureEdit(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
}

void FigureEdit::setFigure(const QString& figure) {
    figure_ = figure;
    fit();
}

void FigureEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    fit();
}

void FigureEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) fit();
}

void FigureEdit::fit() {
    QStyleOptionFrame frame;
    initStyleOption(&frame);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &frame, this) - textMargins();
    const double room = contents.width() - 2 * textMargin - cursorWidth;
    const QString shown = FigureFit::shown(figure_, QFontMetricsF(font()), room);
    if (shown != text()) setText(shown);
}

} // namespace rectix::ui
