#include "results/LayoutImage.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>

#include <utility>

namespace rectix::results {

namespace {
const QSize largestPicture(1600, 1200);
// How far from a box's centre a click still picks it.
constexpr int pickReach = 14;
// A picked box's tip stays until the user leaves the box or the next key or click hides it; Qt
// would hide it after some seconds. A day, not the largest int: Qt's timers add to the time.
constexpr int tipTime = 24 * 3600 * 1000;
} // namespace

LayoutImage::LayoutImage(QWidget* parent) : QWidget(parent), bitmap_(largestPicture, QImage::Format_RGB32) {
    setObjectName(QStringLiteral("Image1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    bitmap_.fill(Qt::black);
}

QImage& LayoutImage::bitmap() {
    if (width() > bitmap_.width() || height() > bitmap_.height())
        bitmap_ = QImage(bitmap_.size().expandedTo(size()), QImage::Format_RGB32);
    return bitmap_;
}

void LayoutImage::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), bitmap_, event->rect());
}

void LayoutImage::mousePressEvent(QMouseEvent* event) {
    tipAt_.reset();
    if (press_) press_(event->button(), event->position().toPoint());
}

void LayoutImage::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (!tipAt_) return;
    // Shown once the release has gone through: every step of its delivery hides tips.
    QTimer::singleShot(0, this, [this, at = *std::exchange(tipAt_, std::nullopt)] {
        const QRect reach(at - QPoint(pickReach, pickReach), QSize(2 * pickReach + 1, 2 * pickReach + 1));
        QToolTip::showText(mapToGlobal(at), toolTip(), this, reach, tipTime);
    });
}

bool LayoutImage::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && !hintsShown_) {
        event->ignore();
        return true;
    }
    return QWidget::event(event);
}

} // namespace rectix::results
