#include "ui/ShownValue.h"

#include <QDate>
#include <QLocale>

namespace rectix::ui {

QString shownValue(const dataset::Field& field, const dataset::Value& value) {
    if (value.kind() == dataset::Value::Kind::Date) {
        const dataset::CalendarDate d = value.date();
        const QDate date(static_cast<int>(d.year()), static_cast<int>(static_cast<unsigned>(d.month())),
                         static_cast<int>(static_cast<unsigned>(d.day())));
        return QLocale::system().toString(date, QLocale::ShortFormat);
    }
    const std::string text = field.displayText(value);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace rectix::ui
