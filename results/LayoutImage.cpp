#include "results/LayoutImage.h"

#include <QMouseEvent>
#include <QPainter>

namespace rectix::results {

namespace {
const QSize largestPicture(1600, 1200);
}

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
    if (press_) press_(event->button(), event->position().toPoint());
}

bool LayoutImage::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && !hintsShown_) {
        event->ignore();
        return true;
    }
    return QWidget::event(event);
}

} // namespace rectix::results
