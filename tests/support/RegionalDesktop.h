#pragma once

#include "TestLocales.h"

#include "ui/RegionalSettings.h"

#include <QLocale>

#include <string>

namespace rectix::test {

// A desktop of the region `name` ("fr_FR") for a scope: the C library's locale as Qt sets it at
// start-up from the environment, and the regional settings the program reads; the system's
// settings again afterwards.
class RegionalDesktop {
  public:
    explicit RegionalDesktop(const std::string& name) : c_(name) {
        ui::RegionalSettings::use(QLocale(QString::fromStdString(name)));
    }
    ~RegionalDesktop() { ui::RegionalSettings::useSystem(); }
    RegionalDesktop(const RegionalDesktop&) = delete;
    RegionalDesktop& operator=(const RegionalDesktop&) = delete;

    bool active() const { return c_.active(); }

  private:
    CLibraryLocale c_;
};

} // namespace rectix::test
