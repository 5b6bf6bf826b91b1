#pragma once

#include "ui/ColumnScaling.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace rectix::taskdb {
class DataModule;
} // namespace rectix::taskdb

namespace rectix::ui {
class DataCheckBox;
class DataGrid;
} // namespace rectix::ui

namespace rectix::results {

class ReportForms;

// The solution page: the current task's stored solution in three read-only grids (the loaded
// containers; the box kinds and the box positions of the selected container) with the selected
// container's and box kind's figures. From it the user fixes containers for the next Solve,
// opens the layout page, prints the solution report and writes the solution as CSV files. Created once; the
// task page shows it modally.
//
// The selected container is the solution cursor's current row: the detail grids, the two group
// boxes and the layout page follow it.
class SolutionWindow : public QDialog {
    Q_OBJECT
  public:
    // The data module must outlive the window.
    explicit SolutionWindow(taskdb::DataModule& dm, QWidget* parent = nullptr);
    ~SolutionWindow() override;

    // Rebuilds the engine's result plan from the current task's stored solution.
    void setReloadPlan(std::function<void()> reload) { reloadPlan_ = std::move(reload); }
    // The layout page; View stays disabled without it.
    void setLayoutPage(QDialog* page);
    // The report forms the solution prints with; Print stays disabled without them.
    void setReports(ReportForms* reports);

    // Shows the layout page, the plan reloaded first when it is another task's.
    void chartButtonClick();
    // Prints the solution report for the selected container.
    void printButtonClick();
    // Writes the three CSV files into "solutions" under the current folder.
    void fileButtonClick();
    // The fixed flag is stored at once: the next Clear and Solve read it.
    void fixDBCheckMouseUp();
    void closeButtonClick();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void keepLeastClient();
    void buildPage();
    QWidget* buildContainerBox();
    QWidget* buildBoxKindBox();
    QWidget* buildButtons();

    taskdb::DataModule& dm_;
    std::function<void()> reloadPlan_;
    QPointer<QDialog> layoutPage_;
    ReportForms* reports_ = nullptr;

    ui::DataGrid* solutGrid_ = nullptr;
    ui::DataGrid* distrGrid_ = nullptr;
    ui::DataGrid* positGrid_ = nullptr;
    ui::DataCheckBox* fixDBCheck_ = nullptr;
    QLabel* volLabel1_ = nullptr;
    QLabel* volLabel2_ = nullptr;
    QPushButton* chartButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* fileButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;

    ui::ColumnScaling solutWidths_;
    ui::ColumnScaling positWidths_;
};

} // namespace rectix::results
