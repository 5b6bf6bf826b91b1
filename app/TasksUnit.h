#pragma once

#include "taskdb/TaskPage.h"
#include "ui/ColumnScaling.h"

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
class SolveBridge;
class TDMForm;
class TableSets;
} // namespace rectix::taskdb

namespace rectix::ui {
class DataCheckBox;
class DataEdit;
class DataGrid;
class DataNavigator;
} // namespace rectix::ui

namespace rectix::app {

class SettingsFile;
class TWaitForm;

// The windows the page's buttons open; each joins the page when it is created. Until then its
// button stays disabled.
enum class PageWindow { ContainerLibrary, BoxLibrary, TaskList, Settings, Solution, Layout };
inline constexpr int PageWindowCount = 6;

// The main window: the task page with the current task, its containers and boxes in two grids,
// the task totals and the buttons that lead to every other window. Created once at start-up;
// closing it ends the program.
//
// The page has three states, set from the current task row by CurrSolutState: no task (task
// controls disabled and grey), a task without a solution (grids editable, Solve), a task with a
// solution (grids and turn rules read-only, navigators without Insert and Delete, Clear,
// Solution and View).
class TTasksForm : public QMainWindow, public taskdb::TaskPage {
    Q_OBJECT
  public:
    TTasksForm(taskdb::RunStore& store, SettingsFile& settings, std::filesystem::path programFolder);
    ~TTasksForm() override;

    // Binds the page's data controls to the data module's cursors; once, before the tables open.
    // The data module must outlive the window.
    void setDataModule(taskdb::TDMForm* dm);
    void setWaitForm(TWaitForm* wait) { wait_ = wait; }
    void setSolveBridge(taskdb::SolveBridge* bridge) { bridge_ = bridge; }
    void setTableSets(taskdb::TableSets* sets) { tableSets_ = sets; }
    void setPageWindow(PageWindow which, QDialog* window);
    // The task report's printing; the print button stays disabled without it.
    void setTaskReport(std::function<void()> print);
    void setAboutForm(QDialog* about) { about_ = about; }
    void setAcknoForm(QDialog* ackno) { ackno_ = ackno; }

    // The window's creation: the English texts, the program folder made the current folder, the
    // write check, the settings file, the set folders' check and the start state of the store and
    // the page. False when the program is to end: at once when the write check failed, after the
    // whole creation when a set folder is missing. Errors pass on.
    bool FormCreate();

    // Asks message 48 while "Warnings" is on; then closes the window.
    void ExitButtonClick();

    // Solve without a stored solution, Clear with one.
    void RunButtonClick();
    // Reload the plan when the result record holds another task's, then the page, modal.
    void ResultButtonClick();
    void ViewButtonClick();
    // Rebuilds the engine's result record from the current task's stored solution.
    void UpdatePositTT();

    // The frame of a long command (Solve, Clear): the progress window over the boxes grid,
    // application-modal, the busy cursor and this window disabled while the work runs; all
    // restored on every path. A command started inside a running one is refused silently. An
    // error of the work passes on after the frame is restored.
    void RunOperation(const std::function<void()>& work);

    // The caption: application title, version and the page's name.
    void NewFileNameCaption();
    // After a language switch: the texts that depend on state (run button, caption, active set).
    void RefreshStateTexts();
    // Makes the folder that was current at creation current again; once.
    void RestoreCurrentDir();

    void TasksControls(bool haveTasks);
    void SolutControls(bool haveSolution);
    void CurrDfltTurns(bool defltOn);
    // The active-set label: shown, in red, while the export or import set is active.
    void ShowActiveSet(bool visible, const std::string& caption);

    // Whether a key may edit data: every key but navigation, modifier and system keys.
    static bool EditKeys(int key);
    // Informs why an edit cannot be made (message 51 with a solution, 52 in a yellow column);
    // never stops the key itself.
    void GuardGridEdit(int key);
    // A blank task name becomes "???".
    void ValidNameEdit();
    // The area multiplier from the spinner: 10 to the spinner's position.
    void ApplyAreaMultiplier();

    // What the data module needs of the task page.
    void SetFigure(taskdb::PageFigure figure, const std::string& text) override;
    void SetLeftColor(std::uint32_t color) override;
    void CurrSolutState() override;
    bool Enabled() const override { return isEnabled(); }
    void SetEnabled(bool enabled) override { setEnabled(enabled); }
    bool TaskListVisible() const override;
    void SetBusyCursor(bool busy) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // TaskPageLayout.cpp: the controls and their places.
    void buildPage();
    QWidget* buildTaskRows();
    QWidget* buildTotals();
    QWidget* buildButtons();
    void buildHelpPopup();
    void fitButtons();
    void buildDataControls();
    void buildGrids();

    // TaskPageState.cpp
    void FormActivate();
    void FormDeactivate();
    void FormResize();
    void VolMltUpClick();
    void RefreshAreaTables();
    void SetAreaLabel();
    bool hasWindow(PageWindow which) const;

    // TaskCommands.cpp
    void Solve();
    void Clear();
    void ReloadThenShow(PageWindow page);
    void ShowModal(PageWindow which);
    void ContsButtonClick();
    void BoxesButtonClick();
    void TaskButtonClick();
    void OptButtonClick();
    void PrintButtonClick();
    void HelpButtonClick();
    void NameEditExit();
    void DescrEditExit();
    // Posts the cursor's record when it was modified (or, when asked, is being inserted).
    static void PostWhenModified(dataset::Cursor& c, bool orInserted = false);
    void DBCheckDfltMouseUp();
    void TasksNavigatorClick(bool inserted);

    void FormShow();
    // Posts pending edits, writes the settings file while the home set is active, restores the
    // current folder and closes the tables. An error (a refused post) keeps the window open.
    void FormClose();
    void PostModifiedTables();
    void PlaceWaitForm();

    taskdb::RunStore& store_;
    SettingsFile& settings_;
    std::filesystem::path programFolder_;
    taskdb::TDMForm* dm_ = nullptr;
    TWaitForm* wait_ = nullptr;
    taskdb::SolveBridge* bridge_ = nullptr;
    taskdb::TableSets* tableSets_ = nullptr;
    std::array<QPointer<QDialog>, PageWindowCount> windows_{};
    std::function<void()> printTask_;
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
    std::array<QLineEdit*, taskdb::PageFigureCount> figures_{};
    QLineEdit* volMltEdit_ = nullptr;
    QSpinBox* volMltUp_ = nullptr;
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
    bool busyCursor_ = false;
};

} // namespace rectix::app
