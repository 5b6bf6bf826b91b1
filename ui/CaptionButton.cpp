#include "ui/CaptionButton.h"

#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace rectix::ui {

CaptionButton::CaptionButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setSizePolicy(QSizePolicy::Preferred, sizePolicy().verticalPolicy());
}

QSize CaptionButton::minimumSizeHint() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    // The frame and margins the style keeps around the caption.
    option.rect = QRect(0, 0, 100, 30);
    const int frame =
        option.rect.width() - style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).width();
    int needed = fontMetrics().size(Qt::TextShowMnemonic, text()).width() + frame;
    if (!icon().isNull()) needed += iconSize().width() + 4;
    const QSize usual = QPushButton::minimumSizeHint();
    return {std::min(usual.width(), needed), usual.height()};
}

} // namespace rectix::ui
