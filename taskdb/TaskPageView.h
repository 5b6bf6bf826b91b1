#pragma once

#include "taskdb/TaskTotals.h"

namespace rectix::taskdb {

// What the data module publishes to the main task page, which shows it: the
// current task's totals, and that the current task or its solution state
// changed. The main window implements it; NullTaskPageView serves headless use.
class TaskPageView {
  public:
    virtual ~TaskPageView() = default;

    virtual void totalsChanged(const TaskTotals& totals) = 0;
    // Another task row is current, or none.
    virtual void currentTaskChanged() = 0;
    // The current task row was stored: its solution state may have changed.
    virtual void solutionStateChanged() = 0;
    // The task list window is shown (deleting a task from there keeps the page enabled).
    virtual bool taskListVisible() const = 0;
};

class NullTaskPageView : public TaskPageView {
  public:
    void totalsChanged(const TaskTotals&) override {}
    void currentTaskChanged() override {}
    void solutionStateChanged() override {}
    bool taskListVisible() const override { return false; }
};

} // namespace rectix::taskdb
