#pragma once

#include "taskdb/LibraryView.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <string>

class QHBoxLayout;
class QPushButton;

namespace rectix::dataset {
class Cursor;
}

namespace rectix::taskdb {
class DataModule;
struct RunStore;
} // namespace rectix::taskdb

namespace rectix::results {
class ReportForms;
}

namespace rectix::ui {
class DataEdit;
class DataGrid;
class DataNavigator;
} // namespace rectix::ui

namespace rectix::app {

struct LibraryKind;
class MainWindow;

// A library editor: the container library or the box library, one window class with the
// libraries' differences as data (LibraryKind). The data module must outlive the window.
//
// Browse mode: only the quantity, Temp and description columns take typing; Reset, Copy to and
// Print. Edit mode: the other columns take typing, rows are inserted and deleted, and Clear
// deletes unused temporary rows. The window opens in browse mode and returns to it when it
// closes; a dialog shown over it leaves the mode alone.
class LibraryWindow : public QDialog, public taskdb::LibraryView {
    Q_OBJECT
  public:
    LibraryWindow(const LibraryKind& kind, taskdb::DataModule& dm, MainWindow* mainWindow);
    ~LibraryWindow() override;

    const LibraryKind& kind() const { return kind_; }
    ui::DataGrid* grid() const { return grid_; }
    // Room for the box library's import button, between Copy to and Close.
    QHBoxLayout* buttonRow() const { return buttons_; }
    bool editMode() const;

    void editButtonClick();
    void resetButtonClick();
    void moveButtonClick();
    // Edit mode: clears unused temporary rows; browse mode: prints the library.
    void clearButtonClick();
    // The report forms the library prints with; Print stays disabled without them.
    void setReports(results::ReportForms* reports);
    // The copy button: only in browse mode, for a task that exists and has no solution.
    void setNavigatorState();
    // The hint why a key cannot edit the selected column.
    void messEdit(int key);

    // Runs when the window is shown, after it left edit mode (the box library checks its
    // import menu here).
    std::function<void()> onShown;

    void focusGridColumn(int column) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void buildWindow();
    void editModeOn();
    void editModeOff();
    void setColumns(bool editing);
    void place();
    void postLibrary();
    // LibraryCommands.cpp
    void clearUnusedTemporary();
    void printLibrary();
    bool usedByAnyTask(std::int32_t id);
    // Writes one library quantity into the current task's rows through the task-row rules;
    // false when a rule refused it (its message was shown).
    bool copyToTask(std::int32_t id, std::int32_t amount);

    dataset::Cursor& library() const;
    dataset::Cursor& taskRows() const;

    const LibraryKind& kind_;
    taskdb::DataModule& dm_;
    taskdb::RunStore& store_;
    QPointer<MainWindow> mainWindow_;
    results::ReportForms* reports_ = nullptr;

    ui::DataGrid* grid_ = nullptr;
    ui::DataNavigator* navigator_ = nullptr;
    ui::DataEdit* nameEdit_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* editButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QPushButton* resetButton_ = nullptr;
    QPushButton* moveButton_ = nullptr;
};

} // namespace rectix::app
