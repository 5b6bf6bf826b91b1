#pragma once

#include <QDialog>
#include <QPointer>

class QPushButton;

namespace rectix::taskdb {
class DataModule;
struct ExchangeState;
} // namespace rectix::taskdb

namespace rectix::ui {
class DataGrid;
}

namespace rectix::app {

class MainWindow;
class SettingsWindow;

// The task list: a modal window with every task of the active set in a grid bound to the tasks
// table, so that moving in it moves the current task of the whole program and closing it keeps
// the row reached. It also deletes and duplicates the current task.
class TaskListWindow : public QDialog {
    Q_OBJECT
  public:
    // Closing gives the focus to the main window's View button, else to its run button.
    TaskListWindow(taskdb::DataModule& dm, SettingsWindow& settings, MainWindow* mainWindow);

    // Duplicating is offered only while the home set is active.
    void showExchangeState(const taskdb::ExchangeState& state);

    void deleteButtonClick();
    void duplButtonClick();

    void done(int result) override;

  private:
    void focusGrid();

    taskdb::DataModule& dm_;
    SettingsWindow& settings_;
    QPointer<MainWindow> mainWindow_;
    ui::DataGrid* grid_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* duplButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

} // namespace rectix::app
