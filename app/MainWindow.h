#pragma once

#include "app/TaskPageAnchor.h"
#include "taskdb/TaskPageView.h"
#include "ui/ColumnScaling.h"
#include "ui/DataNavigator.h"

#include <QDialog>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <filesystem>
#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

namespace rectix::dataset {
class Cursor;
}

namespace rectix::taskdb {
struct RunStore;
class SettingsFile;
class SolveBridge;
class DataModule;
class TableSets;
} // namespace rectix::taskdb

namespace rectix::results {
class ReportForms;
}

namespace rectix::ui {
class DataCheckBox;
class DataEdit;
class DataGrid;
class FigureEdit;
} // namespace rectix::ui

namespace rectix::app {

class ProgressWindow;

// The windows the page's buttons open; each joins the page when it is created. Until then its
// button stays disabled.
enum class PageWindow { ContainerLibrary, BoxLibrary, TaskList, Settings, Solution, Layout };
inline constexpr int pageWindowCount = 6;

// The main window: the task page with the current task, its containers and boxes in two grids,
// the task totals and the buttons that lead to every other window. Created once at start-up;
// closing it ends the program.
//
// The page has three states, set from the current task row by currSolutState: no task (task
// controls disabled and grey), a task without a solution (grids editable, Solve), a task with a
// solution (grids and turn rules read-only, navigators without Insert and Delete, Clear,
// Solution and View).
class MainWindow : public QMainWindow, public taskdb::TaskPageView {
    Q_OBJECT
  public:
    MainWindow(taskdb::RunStore& store, taskdb::SettingsFile& settings, std::filesystem::path programFolder);
    ~MainWindow() override;

    // Binds the page's data controls to the data module's cursors; once, before the tables open.
    // The data module must outlive the window.
    void setDataModule(taskdb::DataModule* dm);
    void setWaitForm(ProgressWindow* wait) { wait_ = wait; }
    void setSolveBridge(taskdb::SolveBridge* bridge) { bridge_ = bridge; }
    void setTableSets(taskdb::TableSets* sets) { tableSets_ = sets; }
    void setPageWindow(PageWindow which, QDialog* window);
    // The report forms the task report prints with; the print button stays disabled without them.
    void setReports(results::ReportForms* reports);
    void setAboutForm(QDialog* about) { about_ = about; }
    void setAcknoForm(QDialog* ackno) { ackno_ = ackno; }

    // The window's creation: the English texts, the program folder made the current folder, the
    // write check, the settings file, the set folders' check and the start state of the store and
    // the page. False when the program is to end: at once when the write check failed, after the
    // whole creation when a set folder is missing. Errors pass on.
    bool formCreate();
    // The first show places and sizes the window and applies the saved language.
    void setVisible(bool visible) override;

    // Asks message 48 while "warnings" is on; then closes the window.
    void exitButtonClick();

    // Solve without a stored solution, Clear with one.
    void runButtonClick();
    // Reload the plan when the result record holds another task's, then the page, modal.
    void resultButtonClick();
    void viewButtonClick();
    // Rebuilds the engine's result record from the current task's stored solution.
    void updatePositTT();

    // The frame of a long command (Solve, Clear): the progress window over the boxes grid,
    // application-modal, the busy cursor and this window disabled while the work runs; all
    // restored on every path. A command started inside a running one is refused silently. An
    // error of the work passes on after the frame is restored.
    void runOperation(const std::function<void()>& work);

    // The caption: application title, version and the page's name.
    void newFileNameCaption();
    // After a language switch: the texts that depend on state (run button, caption, active set).
    void refreshStateTexts();
    // Makes the folder that was current at creation current again; once.
    void restoreCurrentDir();

    void tasksControls(bool haveTasks);
    void solutControls(bool haveSolution);
    void currDfltTurns(bool defltOn);
    // The active-set label: shown, in red, while the export or import set is active.
    void showActiveSet(bool visible, const std::string& caption);

    // What the windows opened from the page ask of it. The anchor control's rectangle on the
    // screen; null before the page is built.
    QRect anchorGeometry(TaskPageAnchor anchor) const;
    // The keyboard goes on where the user goes next: View where it is enabled, else the run button.
    void focusNextCommand();

    // Whether a key may edit data: every key but navigation, modifier and system keys.
    static bool editKeys(int key);
    // Informs why an edit cannot be made (message 51 with a solution, 52 in a yellow column);
    // never stops the key itself.
    void guardGridEdit(int key);
    // A blank task name becomes "???".
    void validNameEdit();
    // The area multiplier from the spinner: 10 to the spinner's position.
    void applyAreaMultiplier();

    // Shows the page's state from the current task row.
    void currSolutState();

    // What the data module publishes to the task page.
    void totalsChanged(const taskdb::TaskTotals& totals) override;
    void currentTaskChanged() override { currSolutState(); }
    void solutionStateChanged() override { currSolutState(); }
    bool taskListVisible() const override;

  signals:
    // The window has closed: its data is written and the program may end.
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // TaskPageLayout.cpp: the controls and their places.
    void buildPage();
    QWidget* buildTaskRows();
    QWidget* buildTotals();
    // Shows each totals heading's parts over its columns.
    void splitHeadings();
    QWidget* buildButtons();
    void buildHelpPopup();
    void fitButtons();
    void buildDataControls();
    void buildGrids();

    // TaskPageState.cpp
    void formActivate();
    void formDeactivate();
    void formResize();
    void volMltUpClick();
    void refreshAreaTables();
    void setAreaLabel();
    bool hasWindow(PageWindow which) const;

    // TaskCommands.cpp
    void solve();
    void clearSolution();
    void reloadThenShow(PageWindow page);
    void showModal(PageWindow which);
    void contsButtonClick();
    void boxesButtonClick();
    void taskButtonClick();
    void optButtonClick();
    // Prints the task report with the page's figures.
    void printButtonClick();
    void helpButtonClick();
    void nameEditExit();
    void descrEditExit();
    // Posts the cursor's record when it was modified (or, when asked, is being inserted).
    static void postWhenModified(dataset::Cursor& c, bool orInserted = false);
    void dbCheckDfltMouseUp();
    void tasksNavigatorClick(ui::DataNavigator::Button button);
    void rowsNavigatorClick(ui::DataGrid* grid, ui::DataNavigator::Button button);

    void formShow();
    // Posts pending edits, writes the settings file while the home set is active, restores the
    // current folder and closes the tables. An error (a refused post) keeps the window open.
    void formClose();
    void postPageRows();
    void postModifiedTables();
    void placeWaitForm();

    taskdb::RunStore& store_;
    taskdb::SettingsFile& settings_;
    std::filesystem::path programFolder_;
    taskdb::DataModule* dm_ = nullptr;
    ProgressWindow* wait_ = nullptr;
    taskdb::SolveBridge* bridge_ = nullptr;
    taskdb::TableSets* tableSets_ = nullptr;
    std::array<QPointer<QDialog>, pageWindowCount> windows_{};
    results::ReportForms* reports_ = nullptr;
    QPointer<QDialog> about_;
    QPointer<QDialog> ackno_;
    std::optional<std::filesystem::path> savedCurrentDir_;

    // The controls, named as the language texts name them.
    QHBoxLayout* taskRow_ = nullptr;
    QHBoxLayout* descrRow_ = nullptr;
    QHBoxLayout* contsHead_ = nullptr;
    QHBoxLayout* boxesHead_ = nullptr;
    QVBoxLayout* contsArea_ = nullptr;
    QVBoxLayout* boxesArea_ = nullptr;
    ui::DataNavigator* tasksNavigator_ = nullptr;
    ui::DataEdit* nameEdit_ = nullptr;
    ui::DataEdit* descrEdit_ = nullptr;
    ui::DataEdit* dateEdit_ = nullptr;
    QPushButton* taskButton_ = nullptr;
    ui::DataNavigator* contsNavigator_ = nullptr;
    ui::DataGrid* contsGrid_ = nullptr;
    ui::DataNavigator* boxesNavigator_ = nullptr;
    ui::DataGrid* boxesGrid_ = nullptr;
    ui::DataCheckBox* dbCheckDflt_ = nullptr;
    ui::DataCheckBox* dbCheckTurn_ = nullptr;
    std::array<ui::FigureEdit*, taskdb::pageFigureCount> figures_{};
    QLineEdit* volMltEdit_ = nullptr;
    QSpinBox* volMltUp_ = nullptr;
    // A totals block's heading: the language text (not shown) and its parts over the columns.
    struct Heading {
        QLabel* text = nullptr;
        std::array<QLabel*, 3> parts{};
    };
    Heading contsHeading_;
    Heading boxesHeading_;
    QLabel* volLabel1_ = nullptr;
    QLabel* volLabel2_ = nullptr;
    QLabel* exchLabel_ = nullptr;
    QPushButton* contsButton_ = nullptr;
    QPushButton* boxesButton_ = nullptr;
    QPushButton* runButton_ = nullptr;
    QPushButton* resultButton_ = nullptr;
    QPushButton* viewButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* optButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QMenu* helpPopup_ = nullptr;

    ui::ColumnScaling contsWidths_;
    ui::ColumnScaling boxesWidths_;
    bool shownOnce_ = false;
    bool closed_ = false;
};

} // namespace rectix::app
