#pragma once

#include "taskdb/TaskTotals.h"
#include "ui/BandedReport.h"
#include "ui/CompositeReport.h"

#include <QString>

#include <array>

namespace rectix::taskdb {
class DataModule;
}

namespace rectix::results {

// The task page's figures as the task report prints them.
struct TaskReportLabels {
    QString effWgt, effVol, costPck, volMult, turn;
    QString avlNmb, avlWgt, avlVol, usdNmb, usdWgt, usdVol;
    QString totNmb, totWgt, totVol, lftNmb, lftWgt, lftVol;

    // From the page's figure texts, its area multiplier and its two turn-rule boxes; the
    // prefixes are the current language's.
    static TaskReportLabels fromPage(const std::array<QString, taskdb::pageFigureCount>& figures,
                                     const QString& volMult, bool commonTurnRules, bool turnOn);
};

// The current task printed: its figures and containers, then its boxes on a page of their own,
// with the title line at the end.
class TaskReport {
  public:
    // The data module must outlive the report.
    explicit TaskReport(taskdb::DataModule& dm);
    TaskReport(const TaskReport&) = delete;
    TaskReport& operator=(const TaskReport&) = delete;

    // The figures printed next; the gaps are the task's own.
    void setLabels(const TaskReportLabels& labels) { labels_ = labels; }
    const ui::CompositeReport& job() const { return job_; }

  private:
    void buildContainers(taskdb::DataModule& dm);
    void buildBoxes(taskdb::DataModule& dm);

    TaskReportLabels labels_;
    ui::BandedReport containers_; // tc
    ui::BandedReport boxes_;      // tb
    ui::CompositeReport job_;
};

} // namespace rectix::results
