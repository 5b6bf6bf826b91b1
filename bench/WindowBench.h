#pragma once

#include "BenchSupport.h"
#include "lang/Language.h"
#include "ui/Application.h"

#include <QApplication>

namespace rectix::bench {

// The program's application object for a benchmark of windows or reports: offscreen unless a
// platform is named, in English, with dialogs that show nothing.
class WindowBench {
  public:
    WindowBench(int& argc, char** argv) : app_(offscreen(argc), argv) {
        QApplication::setApplicationName(QStringLiteral("Rectix"));
        lang::Language::global().applyLanguage(false, 0);
    }

  private:
    static int& offscreen(int& argc) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return argc;
    }

    ui::Application app_;
    SilentDialogs dialogs_; // over the application's own dialogs, given back before they go
};

} // namespace rectix::bench
