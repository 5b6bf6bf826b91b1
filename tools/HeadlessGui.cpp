#include "HeadlessGui.h"

#include "MessageLine.h"

#include <cstdlib>

namespace rectix::tools {

namespace {

const char* toolName = "";

void tellCritical(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtCriticalMsg && type != QtFatalMsg) return;
    if (text.startsWith(QLatin1String("QStandardPaths:"))) return; // its runtime folder, see the header
    tellLine(toolName, text.toStdString());
}

} // namespace

HeadlessGui::HeadlessGui(const char* tool) {
    if (QCoreApplication::instance()) return;
    toolName = tool;
    argv_[0] = const_cast<char*>(tool);
    // Whatever the caller's platform: one with no display, or none at all, would abort the run.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler_ = qInstallMessageHandler(tellCritical);
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        try {
            runtime_.emplace();
            runtimeSet_ = ::setenv("XDG_RUNTIME_DIR", runtime_->path().c_str(), 1) == 0;
        } catch (const ScratchError&) {
        }
    }
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

HeadlessGui::~HeadlessGui() {
    if (!app_) return;
    app_.reset();
    if (runtimeSet_) ::unsetenv("XDG_RUNTIME_DIR");
    qInstallMessageHandler(previousHandler_);
}

} // namespace rectix::tools
