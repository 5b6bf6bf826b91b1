#pragma once

// Measures the captions of a shown window with each widget's own font: a button, label, group
// box title or grid column title that needs more room than it is given is cut on the screen.

#include "ui/TitleBar.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableView>
#include <QTextDocument>

#include <algorithm>
#include <string>
#include <vector>

namespace captionfit {

inline QString shown(QString text) {
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

inline int widest(const QFontMetrics& metrics, const QString& text) {
    int w = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        w = std::max(w, metrics.horizontalAdvance(line));
    return w;
}

// As a label measures its text: the ink of each line.
inline int widestInk(const QFontMetrics& metrics, const QString& text) {
    int w = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        w = std::max(w, metrics.boundingRect(QRect(0, 0, 100000, 1000), Qt::AlignLeft, line).width());
    return w;
}

inline int lineCount(const QString& text) {
    return static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
}

// The width of the widget that is not clipped by its ancestors inside the window.
inline int visibleWidth(const QWidget* w, const QWidget* window) {
    QRect r(w->mapTo(window, QPoint()), w->size());
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
        r &= QRect(p->mapTo(window, QPoint()), p->size());
    r &= window->rect();
    return std::max(0, r.width());
}

inline std::string describe(const QWidget* window, const QWidget* w, const QString& text, int needed,
                            int room) {
    return window->objectName().toStdString() + "." + w->objectName().toStdString() + " \"" +
           text.toStdString() + "\" needs " + std::to_string(needed) + " px, has " + std::to_string(room);
}

inline void checkButton(const QWidget* window, const QAbstractButton* b, std::vector<std::string>& cuts) {
    const QString text = shown(b->text());
    if (text.isEmpty()) return;
    int needed = widest(b->fontMetrics(), text);
    int room = b->width();
    if (auto* push = qobject_cast<const QPushButton*>(b)) {
        // The caption is drawn inside the frame and margins of the style.
        QStyleOptionButton option;
        option.initFrom(push);
        option.rect = push->rect();
        room = push->style()->subElementRect(QStyle::SE_PushButtonContents, &option, push).width();
        if (!push->icon().isNull()) needed += push->iconSize().width() + 4;
    } else {
        needed = b->sizeHint().width();
    }
    room = std::min(room, visibleWidth(b, window));
    if (needed > room) cuts.push_back(describe(window, b, text, needed, room));
}

inline void checkLabel(const QWidget* window, const QLabel* l, std::vector<std::string>& cuts) {
    QString text = l->text();
    if (text.isEmpty() || !l->pixmap().isNull()) return;
    if (l->textFormat() == Qt::RichText || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        QTextDocument doc;
        doc.setDefaultFont(l->font());
        doc.setHtml(text);
        text = doc.toPlainText();
    }
    text = l->buddy() ? shown(text) : QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QRect inside = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
    const int room = std::min(inside.width(), visibleWidth(l, window) - (l->width() - inside.width()));
    if (l->wordWrap()) {
        // Wrapped text may take lines, but each word must fit and every line must show.
        const QRect needed =
            l->fontMetrics().boundingRect(QRect(0, 0, std::max(room, 1), 100000), Qt::TextWordWrap, text);
        for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
            if (l->fontMetrics().horizontalAdvance(word) > room)
                cuts.push_back(describe(window, l, word, l->fontMetrics().horizontalAdvance(word), room));
        if (needed.height() > inside.height())
            cuts.push_back(describe(window, l, text, needed.height(), inside.height()) + " (height)");
        return;
    }
    const int needed = widestInk(l->fontMetrics(), text);
    if (needed > room) cuts.push_back(describe(window, l, text, needed, room));
    const int height = lineCount(text) * l->fontMetrics().height();
    if (height > inside.height() + 2)
        cuts.push_back(describe(window, l, text, height, inside.height()) + " (height)");
}

inline void checkGroup(const QWidget* window, const QGroupBox* g, std::vector<std::string>& cuts) {
    const QString text = shown(g->title());
    if (text.isEmpty()) return;
    const int needed = widest(g->fontMetrics(), text) + 12;
    const int room = std::min(g->width(), visibleWidth(g, window));
    if (needed > room) cuts.push_back(describe(window, g, text, needed, room));
}

inline void checkHeader(const QWidget* window, const QTableView* grid, std::vector<std::string>& cuts) {
    const QHeaderView* header = grid->horizontalHeader();
    if (!header->isVisible() || !grid->model()) return;
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        if (header->isSectionHidden(c) || header->sectionSize(c) == 0) continue;
        const QString text = grid->model()->headerData(c, Qt::Horizontal).toString();
        if (text.isEmpty()) continue;
        const QFontMetrics metrics(header->font());
        const int needed = widest(metrics, text) + 2 * margin;
        const int room = header->sectionSize(c);
        if (needed > room)
            cuts.push_back(describe(window, grid, text, needed, room) + " (column " + std::to_string(c) +
                           ")");
        const int height = lineCount(text) * metrics.height();
        if (height > header->height())
            cuts.push_back(describe(window, grid, text, height, header->height()) + " (column height)");
    }
}

// Every caption of the window's visible buttons, labels, group boxes and grid headers that does
// not fit, described; empty when all fit.
inline std::vector<std::string> cutCaptions(const QWidget* window) {
    std::vector<std::string> cuts;
    if (window->width() < rectix::ui::titleBarWidth(window->windowTitle()))
        cuts.push_back(window->objectName().toStdString() + " title \"" +
                       window->windowTitle().toStdString() + "\" needs " +
                       std::to_string(rectix::ui::titleBarWidth(window->windowTitle())) + " px, has " +
                       std::to_string(window->width()));
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->window() != window) continue;
        if (auto* b = qobject_cast<const QAbstractButton*>(w))
            checkButton(window, b, cuts);
        else if (auto* l = qobject_cast<const QLabel*>(w))
            checkLabel(window, l, cuts);
        else if (auto* g = qobject_cast<const QGroupBox*>(w))
            checkGroup(window, g, cuts);
        else if (auto* t = qobject_cast<const QTableView*>(w))
            checkHeader(window, t, cuts);
    }
    return cuts;
}

// Where a control shows on the window: a label by the ink of its text as aligned, any other control
// by its whole rectangle; empty for what shows nothing.
inline QRect shownRect(const QWidget* w, const QWidget* window) {
    const QPoint origin = w->mapTo(window, QPoint());
    auto* l = qobject_cast<const QLabel*>(w);
    if (!l) return {origin, w->size()};
    if (l->text().isEmpty() || !l->pixmap().isNull()) return {};
    const QString text = QString(l->text()).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QRect inside = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
    const QRect ink = l->fontMetrics().boundingRect(
        inside, static_cast<int>(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0), text);
    return ink.translated(origin);
}

inline bool isControl(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLabel*>(w) ||
           qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
           qobject_cast<const QAbstractItemView*>(w);
}

// Pairs of the window's visible controls of which one covers the other's caption or face.
inline std::vector<std::string> overlappingControls(const QWidget* window) {
    std::vector<std::string> overlaps;
    std::vector<std::pair<const QWidget*, QRect>> shown;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->window() != window || !isControl(w)) continue;
        // The parts of a composite control (a grid's scroll bars, a spin box's edit) belong to it.
        bool part = false;
        for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
            part = part || isControl(p);
        if (part) continue;
        const QRect r = shownRect(w, window);
        if (!r.isEmpty()) shown.emplace_back(w, r);
    }
    for (std::size_t i = 0; i < shown.size(); ++i)
        for (std::size_t j = i + 1; j < shown.size(); ++j)
            if (shown[i].second.intersects(shown[j].second))
                overlaps.push_back(window->objectName().toStdString() + ": " +
                                   shown[i].first->objectName().toStdString() + " and " +
                                   shown[j].first->objectName().toStdString());
    return overlaps;
}

} // namespace captionfit
