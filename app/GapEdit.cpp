#include "app/GapEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace rectix::app {

namespace {

// The longest text kept while leading zeros are dropped.
constexpr int keptLength = 25;

std::optional<std::int32_t> decimalOf(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return value;
}

} // namespace

GapEdit::GapEdit(QWidget* parent) : QLineEdit(parent) {}

std::optional<std::int16_t> GapEdit::gapOf(const QString& text) {
    QString s = text.trimmed();
    if (s.isEmpty()) s = QStringLiteral("0");
    while (s.size() >= 2 && s.startsWith(QLatin1Char('0'))) s = s.mid(1, keptLength);
    const std::optional<std::int32_t> value = decimalOf(s);
    if (!value || *value == notANumber || *value < 0 || *value > largestGap) return std::nullopt;
    return static_cast<std::int16_t>(*value);
}

std::int32_t GapEdit::integerOf(const QString& text) {
    return decimalOf(text.trimmed()).value_or(notANumber);
}

void GapEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        setText(saved_);
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        emit enterPressed();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void GapEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    const QString trimmed = text().trimmed();
    if (trimmed != text()) setText(trimmed);
    if (gapOf(trimmed)) saved_ = trimmed;
}

void GapEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
    emit exited();
}

} // namespace rectix::app
