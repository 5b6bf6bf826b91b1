#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

namespace rectix::ui {

// The user's regional settings as windows, reports and messages show numbers and dates. They
// are read through Qt from the system's locale once, at start-up, and handed to
// core::NumberFormat::regional(); the C library's locale, which any library in the process can
// change, is never read.
class RegionalSettings {
  public:
    // Numbers take `locale`'s decimal separator, dates its short date format.
    static void use(const QLocale& locale);
    static void useSystem() { use(QLocale::system()); }

    static QString shortDate(QDate date);
};

} // namespace rectix::ui
