#include "ui/DataNavigator.h"

#include "dataset/Cursor.h"
#include "ui/ErrorBoundary.h"
#include "ui/RecordDeletion.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPolygonF>
#include <QToolButton>

#include <algorithm>

namespace rectix::ui {

namespace {

using Button = DataNavigator::Button;

// The button's picture, drawn so that it looks the same whatever fonts the system has.
QIcon picture(Button b, const QColor& color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    const bool forward = b == Button::Next || b == Button::Last;
    auto mirrored = [&](QPolygonF shape) {
        if (forward)
            for (QPointF& pt : shape) pt.setX(16 - pt.x());
        return shape;
    };
    switch (b) {
    case Button::First:
    case Button::Last:
        p.drawPolygon(mirrored({{3, 3}, {5, 3}, {5, 13}, {3, 13}}));
        p.drawPolygon(mirrored({{13, 3}, {13, 13}, {6, 8}}));
        break;
    case Button::Prior:
    case Button::Next:
        p.drawPolygon(mirrored({{11, 3}, {11, 13}, {4, 8}}));
        break;
    case Button::Insert:
        p.drawRect(QRectF(7, 3, 2, 10));
        p.drawRect(QRectF(3, 7, 10, 2));
        break;
    case Button::Delete:
        p.drawRect(QRectF(3, 7, 10, 2));
        break;
    }
    return QIcon(pixmap);
}

} // namespace

DataNavigator::DataNavigator(dataset::Cursor& cursor, QWidget* parent) : QWidget(parent), cursor_(cursor) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const auto b = static_cast<Button>(i);
        auto* button = new QToolButton(this);
        // Disabled, the picture greys as the captions of disabled buttons do.
        QIcon icon = picture(b, palette().color(QPalette::Active, QPalette::ButtonText));
        icon.addPixmap(picture(b, palette().color(QPalette::Disabled, QPalette::ButtonText)).pixmap(16, 16),
                       QIcon::Disabled);
        button->setIcon(icon);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        // Taking the focus makes a data edit write its text before the action runs.
        button->setFocusPolicy(Qt::ClickFocus);
        connect(button, &QToolButton::clicked, this, [this, b] { run(b); });
        layout->addWidget(button);
        buttons_[i] = button;
    }
    cursor_.addObserver(this);
    updateButtons();
}

DataNavigator::~DataNavigator() {
    cursor_.removeObserver(this);
}

// Only the buttons whose visibility changes are touched: hiding and showing again a button that
// the mouse is pressing (the page refreshes its state when a click's focus change posts a row)
// would swallow that click.
void DataNavigator::setVisibleButtons(std::initializer_list<Button> visible) {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const bool shown = std::find(visible.begin(), visible.end(), static_cast<Button>(i)) != visible.end();
        if (buttons_[i]->isHidden() == shown) buttons_[i]->setVisible(shown);
    }
}

void DataNavigator::click(Button b) {
    run(b);
}

void DataNavigator::run(Button b) {
    const bool done = ErrorBoundary::run([&] {
        switch (b) {
        case Button::First:
            cursor_.first();
            break;
        case Button::Prior:
            cursor_.prior();
            break;
        case Button::Next:
            cursor_.next();
            break;
        case Button::Last:
            cursor_.last();
            break;
        case Button::Insert:
            cursor_.insert();
            break;
        case Button::Delete:
            deleteRecordAsked(cursor_);
            break;
        }
    });
    // A move that stops at an end changes Bof or Eof without telling the views.
    updateButtons();
    if (done) emit clicked(b);
}

void DataNavigator::updateButtons() {
    const bool open = cursor_.isOpen();
    bool empty = true;
    if (open) ErrorBoundary::run([&] { empty = cursor_.isEmpty(); });
    // On the first (last) row the way up (down) is closed, whatever Bof and Eof say: a cursor
    // that located its row has neither set.
    bool first = true, last = true;
    if (open && !empty)
        ErrorBoundary::run([&] {
            const std::size_t at = cursor_.currentIndex();
            first = cursor_.bof() || at == 0;
            last = cursor_.eof() || at + 1 >= cursor_.recordCount();
        });
    const bool inserting = open && cursor_.state() == dataset::CursorState::Insert;
    const bool up = open && (!first || inserting);
    const bool down = open && (!last || inserting);
    button(Button::First)->setEnabled(up);
    button(Button::Prior)->setEnabled(up);
    button(Button::Next)->setEnabled(down);
    button(Button::Last)->setEnabled(down);
    button(Button::Insert)->setEnabled(open);
    button(Button::Delete)->setEnabled(open && !empty);
}

} // namespace rectix::ui
