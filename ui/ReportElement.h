#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

#include <functional>

namespace rectix::ui {

// One thing a report band prints, placed in points (1/72 inch) from the band's top-left corner.
struct ReportElement {
    enum class Kind {
        Label, // `text` as it stands
        Text,  // the text `value` gives when the band prints (a field of the current row)
        Rule,  // a line along the top edge of `rect`, `lineWidth` points thick
        Image  // `image` stretched to `rect`
    };

    Kind kind = Kind::Label;
    QRectF rect;
    QString text;
    std::function<QString()> value;
    QImage image;
    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QColor color = Qt::black;
    double lineWidth = 0.5;
    // A number or a date: never cut at the rect's edge (see FigureFit).
    bool figure = false;

    static ReportElement label(QRectF rect, QString text,
                               Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
        ReportElement e;
        e.rect = rect;
        e.text = std::move(text);
        e.alignment = alignment;
        return e;
    }
    static ReportElement boundText(QRectF rect, std::function<QString()> value,
                                   Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
        ReportElement e;
        e.kind = Kind::Text;
        e.rect = rect;
        e.value = std::move(value);
        e.alignment = alignment;
        return e;
    }
    static ReportElement rule(QRectF rect, double lineWidth = 0.5) {
        ReportElement e;
        e.kind = Kind::Rule;
        e.rect = rect;
        e.lineWidth = lineWidth;
        return e;
    }
    static ReportElement picture(QRectF rect, QImage image) {
        ReportElement e;
        e.kind = Kind::Image;
        e.rect = rect;
        e.image = std::move(image);
        return e;
    }
};

} // namespace rectix::ui
