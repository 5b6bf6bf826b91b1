#include "ui/ReportBand.h"

#include "ui/FigureFit.h"

#include <QPainter>

namespace rectix::ui {

namespace {

void drawText(QPainter& painter, const ReportElement& e, const QRectF& r) {
    const QString text = e.kind == ReportElement::Kind::Label ? e.text : (e.value ? e.value() : QString());
    const int flags = static_cast<int>(e.alignment) | Qt::TextSingleLine;
    painter.setPen(e.color);
    if (!e.figure) {
        painter.setFont(e.font);
        painter.drawText(r, flags, text);
        return;
    }
    const FigureFit fit = FigureFit::printed(text, e.font, r.width(), painter.device());
    painter.setFont(fit.font);
    painter.drawText(r, flags, fit.text);
}

} // namespace

void ReportBand::paint(QPainter& painter, double top, double dotsPerPoint) const {
    for (const ReportElement& e : elements) {
        const QRectF r(e.rect.x() * dotsPerPoint, (e.rect.y() + top) * dotsPerPoint,
                       e.rect.width() * dotsPerPoint, e.rect.height() * dotsPerPoint);
        switch (e.kind) {
        case ReportElement::Kind::Label:
        case ReportElement::Kind::Text:
            drawText(painter, e, r);
            break;
        case ReportElement::Kind::Rule:
            painter.setPen(QPen(e.color, e.lineWidth * dotsPerPoint));
            painter.drawLine(r.topLeft(), r.topRight());
            break;
        case ReportElement::Kind::Image:
            if (!e.image.isNull()) painter.drawImage(r, e.image);
            break;
        }
    }
}

} // namespace rectix::ui
