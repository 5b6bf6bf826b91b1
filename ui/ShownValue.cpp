#include "ui/ShownValue.h"

#include "core/NumberFormat.h"
#include "ui/RegionalSettings.h"

#include <QDate>

namespace rectix::ui {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString shownValue(const dataset::Field& field, const dataset::Value& value) {
    if (value.kind() == dataset::Value::Kind::Date) {
        const dataset::CalendarDate d = value.date();
        return RegionalSettings::shortDate(QDate(static_cast<int>(d.year()),
                                                 static_cast<int>(static_cast<unsigned>(d.month())),
                                                 static_cast<int>(static_cast<unsigned>(d.day()))));
    }
    return fromUtf8(field.displayText(value));
}

bool showsFigure(const dataset::Field& field) {
    switch (field.type()) {
    case dataset::FieldType::Boolean:
    case dataset::FieldType::String:
        return false;
    default:
        return true;
    }
}

QString editedText(const dataset::Field& field) {
    const dataset::Value& value = field.value();
    if (value.kind() == dataset::Value::Kind::Float)
        return fromUtf8(core::NumberFormat::regional().general(value.real()));
    return fromUtf8(field.asString());
}

dataset::Value typedValue(const dataset::Field& field, const QString& text) {
    const std::string typed = text.toStdString();
    if (field.type() != dataset::FieldType::Double) return dataset::Value(typed);
    return dataset::Value(core::NumberFormat::regional().typedToStored(typed));
}

} // namespace rectix::ui
