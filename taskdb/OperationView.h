#pragma once

namespace rectix::taskdb {

// What the frame of a long operation needs of the windows; the windows implement it once.
class OperationView {
  public:
    virtual ~OperationView() = default;

    virtual void setBusyCursor(bool busy) = 0;
    // Shows the progress window for the operation; hiding it sets its overall bar to 0.
    virtual void showProgress(bool shown) = 0;
    // The main window (the task page) takes no input while disabled.
    virtual void setPageEnabled(bool enabled) = 0;
    // The settings window takes no input while disabled.
    virtual void setSettingsEnabled(bool enabled) = 0;
    // Lets the window events that are waiting through.
    virtual void letEventsThrough() = 0;
};

// Headless: nothing to show; the page's state is kept, as rules ask for it.
class NullOperationView : public OperationView {
  public:
    void setBusyCursor(bool) override {}
    void showProgress(bool) override {}
    void setPageEnabled(bool) override {}
    void setSettingsEnabled(bool) override {}
    void letEventsThrough() override {}
};

} // namespace rectix::taskdb
