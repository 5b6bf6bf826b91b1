#pragma once

#include "taskdb/TaskPage.h"

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <optional>

class QPushButton;

namespace rectix::taskdb {
struct RunStore;
class TDMForm;
} // namespace rectix::taskdb

namespace rectix::app {

class SettingsFile;
class TWaitForm;

// The main window: the task page and the buttons that lead to every other window. Created once
// at start-up; closing it ends the program.
class TTasksForm : public QMainWindow, public taskdb::TaskPage {
    Q_OBJECT
  public:
    TTasksForm(taskdb::RunStore& store, SettingsFile& settings, std::filesystem::path programFolder);
    ~TTasksForm() override;

    void setDataModule(taskdb::TDMForm* dm) { dm_ = dm; }
    void setWaitForm(TWaitForm* wait) { wait_ = wait; }

    // The window's creation: the English texts, the program folder made the current folder, the
    // write check, the settings file, the set folders' check and the start state of the store and
    // the page. False when the program is to end: at once when the write check failed, after the
    // whole creation when a set folder is missing. Errors pass on.
    bool FormCreate();

    // Asks message 48 while "Warnings" is on; then closes the window.
    void ExitButtonClick();

    // The frame of a long command (Solve, Clear): the progress window over the boxes grid,
    // application-modal, the busy cursor and this window disabled while the work runs; all
    // restored on every path. A command started inside a running one is refused silently. An
    // error of the work passes on after the frame is restored.
    void RunOperation(const std::function<void()>& work);

    // The caption: application title, version and the page's name.
    void NewFileNameCaption();
    // Makes the folder that was current at creation current again; once.
    void RestoreCurrentDir();

    // What the data module needs of the task page.
    void SetFigure(taskdb::PageFigure figure, const std::string& text) override;
    void SetLeftColor(std::uint32_t color) override;
    void CurrSolutState() override;
    bool Enabled() const override { return isEnabled(); }
    void SetEnabled(bool enabled) override { setEnabled(enabled); }
    bool TaskListVisible() const override { return false; }
    void SetBusyCursor(bool busy) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void FormShow();
    // Posts pending edits, writes the settings file while the home set is active, restores the
    // current folder and closes the tables. An error (a refused post) keeps the window open.
    void FormClose();
    void PostModifiedTables();
    void ApplyAreaMultiplier();
    void PlaceWaitForm();

    taskdb::RunStore& store_;
    SettingsFile& settings_;
    std::filesystem::path programFolder_;
    taskdb::TDMForm* dm_ = nullptr;
    TWaitForm* wait_ = nullptr;
    std::optional<std::filesystem::path> savedCurrentDir_;
    QPushButton* exitButton_;
    bool shownOnce_ = false;
    bool closed_ = false;
    bool busyCursor_ = false;
};

} // namespace rectix::app
