#include "ui/CaptionButton.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

using rectix::ui::CaptionButton;

namespace {

// The room the style leaves for the caption inside the button as it is now.
int captionRoom(const QPushButton& b) {
    QStyleOptionButton option;
    option.initFrom(&b);
    option.rect = b.rect();
    return b.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &b).width();
}

int captionWidth(const QPushButton& b) {
    return b.fontMetrics().size(Qt::TextShowMnemonic, b.text()).width();
}

} // namespace

// A row narrower than the buttons would like takes room from every button alike, but leaves each
// its caption, also after a caption grows (as with a language switch).
TEST(CaptionButton, ACrowdedRowKeepsEveryCaptionWholeAcrossCaptionChanges) {
    QWidget row;
    auto* layout = new QHBoxLayout(&row);
    std::vector<CaptionButton*> buttons;
    for (const char* caption : {"Prev", "Single", "Next", "&Print", "&Chart", "Clos&e"}) {
        buttons.push_back(new CaptionButton(QString::fromUtf8(caption)));
        layout->addWidget(buttons.back());
    }
    row.resize(420, 40);
    row.show();
    for (CaptionButton* b : buttons) {
        EXPECT_LE(b->minimumSizeHint().width(), QPushButton(b->text()).minimumSizeHint().width());
        EXPECT_LT(b->width(), b->sizeHint().width()) << "the row is crowded";
    }

    buttons[2]->setText(QStringLiteral("Successivo"));
    buttons[4]->setText(QStringLiteral("&Immagine"));
    QApplication::processEvents();
    layout->activate();
    for (CaptionButton* b : buttons)
        EXPECT_GE(captionRoom(*b), captionWidth(*b)) << b->text().toStdString() << " at " << b->width();
}
