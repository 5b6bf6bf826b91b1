#pragma once

#include "taskdb/OperationView.h"
#include "ui/ActivationReturn.h"

#include <QPointer>
#include <QWidget>

#include <optional>

namespace rectix::app {

class ProgressWindow;

// The windows' side of the long-operation frame: the busy cursor, the progress window (shown
// application-modal, so that it alone takes input), the main window and the settings window
// disabled. Frames nest: a window is enabled again, and the cursor restored, when the
// outermost frame that took it ends. A window not yet created, or gone, is passed over. When the
// outermost frame ends, the window that was active before it is active again with its focus.
class OperationWindows : public taskdb::OperationView {
  public:
    OperationWindows() = default;
    ~OperationWindows() override;
    OperationWindows(const OperationWindows&) = delete;
    OperationWindows& operator=(const OperationWindows&) = delete;

    void setMainWindow(QWidget* window) { main_ = window; }
    void setProgressWindow(ProgressWindow* window);
    void setSettingsWindow(QWidget* window) { settings_ = window; }

    void setBusyCursor(bool busy) override;
    void showProgress(bool shown) override;
    void setPageEnabled(bool enabled) override;
    void setSettingsEnabled(bool enabled) override;
    void letEventsThrough() override;

  private:
    // Counts the frames holding a window disabled; the first disables it, the last enables it.
    void hold(QWidget* window, int& holders, bool disabled);
    // Counts what the frames hold; the first notes the active window, the last gives it back.
    void begin();
    void end();

    QPointer<QWidget> main_;
    QPointer<QWidget> settings_;
    QPointer<QWidget> progressWidget_;
    ProgressWindow* progress_ = nullptr;
    int busy_ = 0;
    int mainHolders_ = 0;
    int settingsHolders_ = 0;
    int progressHolders_ = 0;
    int held_ = 0;
    std::optional<ui::ActivationReturn> activation_;
};

} // namespace rectix::app
