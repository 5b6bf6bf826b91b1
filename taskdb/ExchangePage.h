#pragma once

#include <string>

namespace rectix::taskdb {

// Which table-set actions the windows offer, from the active set: the
// "Exchange DB" page's buttons, the main window's active-set label and the
// task list's duplicate button.
struct ExchangeState {
    static constexpr int NoSet = -1; // no set could be opened: only switching is offered

    int ActiveSet = 0; // 0 home, 1 export, 2 import, or NoSet
    bool AddEnabled = false;
    bool HomeEnabled = false;
    bool ExpEnabled = true;
    bool ImpEnabled = true;
    bool ClearEnabled = false;
    std::string ClearCaption;
    bool ExchVisible = false; // the main window's active-set label
    std::string ExchCaption;
    bool DuplEnabled = true;
};

// What the table-set routines need of the settings window and its "Exchange
// DB" page. The settings window implements it; NullExchangePage serves
// headless use.
class ExchangePage {
  public:
    virtual ~ExchangePage() = default;
    // Shows the state on the page, the main window and the task list.
    virtual void ShowExchangeState(const ExchangeState& state) = 0;
    // Enables or disables the settings window while a set is switched, emptied or exported to.
    virtual void SetWindowEnabled(bool enabled) = 0;
    virtual void FocusHomeButton() = 0;
};

class NullExchangePage : public ExchangePage {
  public:
    void ShowExchangeState(const ExchangeState&) override {}
    void SetWindowEnabled(bool) override {}
    void FocusHomeButton() override {}
};

} // namespace rectix::taskdb
