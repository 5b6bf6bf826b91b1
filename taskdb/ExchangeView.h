#pragma once

#include <string>

namespace rectix::taskdb {

// Which table-set actions the windows offer, from the active set: the
// "Exchange DB" page's buttons, the main window's active-set label and the
// task list's duplicate button.
struct ExchangeState {
    static constexpr int noSet = -1; // no set could be opened: only switching is offered

    int activeSet = 0; // 0 home, 1 export, 2 import, or noSet
    bool addEnabled = false;
    bool homeEnabled = false;
    bool expEnabled = true;
    bool impEnabled = true;
    bool clearEnabled = false;
    std::string clearCaption;
    bool exchVisible = false; // the main window's active-set label
    std::string exchCaption;
    bool duplEnabled = true;
};

// What the table-set routines need of the settings window and its "Exchange
// DB" page. The settings window implements it; NullExchangeView serves
// headless use.
class ExchangeView {
  public:
    virtual ~ExchangeView() = default;
    // Shows the state on the page, the main window and the task list.
    virtual void showExchangeState(const ExchangeState& state) = 0;
    virtual void focusHomeButton() = 0;
};

class NullExchangeView : public ExchangeView {
  public:
    void showExchangeState(const ExchangeState&) override {}
    void focusHomeButton() override {}
};

} // namespace rectix::taskdb
