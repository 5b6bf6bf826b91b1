#include "ui/RegionalSettings.h"

#include "core/NumberFormat.h"

namespace rectix::ui {

namespace {

QLocale& dateLocale() {
    static QLocale locale = QLocale::system();
    return locale;
}

} // namespace

void RegionalSettings::use(const QLocale& locale) {
    dateLocale() = locale;
    core::NumberFormat::setRegional(core::NumberFormat(locale.decimalPoint().toStdString()));
}

QString RegionalSettings::shortDate(QDate date) {
    return dateLocale().toString(date, QLocale::ShortFormat);
}

} // namespace rectix::ui
