#pragma once

#include <cstdint>
#include <string>

namespace rectix::taskdb {

// The figures under the main page's two grids.
enum class PageFigure {
    AvlNmb,
    AvlWgt,
    AvlVol,
    UsdNmb,
    UsdWgt,
    UsdVol, // containers: available and used
    TotNmb,
    TotWgt,
    TotVol,
    LftNmb,
    LftWgt,
    LftVol, // boxes: total and left
    EffWgt,
    EffVol, // utilisation in %
    CostPck // net cost
};
inline constexpr int PageFigureCount = 15;

// What the data module needs of the main task page. The main window
// implements it; NullTaskPage serves headless use.
class TaskPage {
  public:
    virtual ~TaskPage() = default;

    virtual void SetFigure(PageFigure figure, const std::string& text) = 0;
    // Background of LftNmb; red in the lowest byte.
    virtual void SetLeftColor(std::uint32_t color) = 0;
    // Refreshes the page's state from the current task row.
    virtual void CurrSolutState() = 0;

    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    // The task list window is shown (deleting a task from there keeps the page enabled).
    virtual bool TaskListVisible() const = 0;
    virtual void SetBusyCursor(bool busy) = 0;
};

class NullTaskPage : public TaskPage {
  public:
    void SetFigure(PageFigure, const std::string&) override {}
    void SetLeftColor(std::uint32_t) override {}
    void CurrSolutState() override {}
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    bool TaskListVisible() const override { return false; }
    void SetBusyCursor(bool) override {}

  private:
    bool enabled_ = true;
};

} // namespace rectix::taskdb
