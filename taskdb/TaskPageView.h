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
inline constexpr int pageFigureCount = 15;

// What the data module needs of the main task page. The main window
// implements it; NullTaskPageView serves headless use.
class TaskPageView {
  public:
    virtual ~TaskPageView() = default;

    virtual void setFigure(PageFigure figure, const std::string& text) = 0;
    // Background of LftNmb; red in the lowest byte.
    virtual void setLeftColor(std::uint32_t color) = 0;
    // Refreshes the page's state from the current task row.
    virtual void currSolutState() = 0;

    // The task list window is shown (deleting a task from there keeps the page enabled).
    virtual bool taskListVisible() const = 0;
};

class NullTaskPageView : public TaskPageView {
  public:
    void setFigure(PageFigure, const std::string&) override {}
    void setLeftColor(std::uint32_t) override {}
    void currSolutState() override {}
    bool taskListVisible() const override { return false; }
};

} // namespace rectix::taskdb
