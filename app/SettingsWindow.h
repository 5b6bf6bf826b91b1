#pragma once

#include "taskdb/ExchangeView.h"
#include "taskdb/SettingsView.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace rectix::taskdb {
class DataModule;
struct RunStore;
class TableSets;
class TaskCopier;
} // namespace rectix::taskdb

namespace rectix::ui {
class DataCheckBox;
class DataEdit;
} // namespace rectix::ui

namespace rectix::app {

class GapEdit;

// The settings window: a modeless window, created once and hidden and shown, with two pages.
// "Optimizer Settings" shows the active optimizer settings (what the next Solve uses and a new
// task receives) beside the current task's stored ones, colouring the pairs that differ; the user
// changes the active ones there. "Exchange DB" switches the active table set, empties the export
// or import set and exports the current task.
//
// A set switch, an emptying or a copy runs in the long-operation frame: while it runs no other
// command of the program can start.
class SettingsWindow : public QDialog, public taskdb::SettingsView, public taskdb::ExchangeView {
    Q_OBJECT
  public:
    // The window follows `mainWindow` when placed and disables it while a set operation runs.
    SettingsWindow(taskdb::RunStore& store, taskdb::DataModule& dm, taskdb::TableSets& sets,
                   taskdb::TaskCopier& copier, QWidget* mainWindow);
    ~SettingsWindow() override;

    // The default optimizer settings, shown; with alsoTaskOptSet "Load task specific" as well.
    void setDefaultOptions(bool alsoTaskOptSet);
    // The current task's stored settings become the active ones (nothing without a task).
    void loadTaskOptions();
    // Exports (true) or duplicates (false) the current task, in the operation frame.
    void taskCopying(bool toExport);

    // What the data module needs of the window.
    void showActiveOptions() override;
    void currOptSetColors() override;
    // What the table sets need of the "Exchange DB" page.
    void showExchangeState(const taskdb::ExchangeState& state) override;
    void focusHomeButton() override;

    // The colour of a pair that agrees, and of one that differs.
    static const QColor sameColour;
    static const QColor differentColour;

  signals:
    // The active set's state, for the main window's label and the task list's duplicate button.
    void exchangeStateShown(const taskdb::ExchangeState& state);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The nine valued settings in the order of the page.
    enum Setting { Power, Time, Rand, Qw, Qc, Qr, Qg, BB, BW, SettingCount };
    // What a gap commit does with a text that is not a valid gap.
    enum class BadGap { Report, PutBack };

    // SettingsWindowLayout.cpp
    void buildWindow();
    QWidget* buildOptimizerPage();
    QWidget* buildExchangePage();
    void connectControls();

    void spinnerChanged(Setting setting, int position);
    void lastCheckClick();
    void taskRadioClick();
    void keepRadioClick();
    void qwDBEdChange();
    // Writes a gap edit's text into its setting; false when the text is not a valid gap.
    bool commitGap(GapEdit* edit, BadGap bad);
    GapEdit* focusedGap() const;
    std::int16_t& gapSetting(const GapEdit* edit) const;
    void place();
    void pageChanged(int index);
    // The spinner of the first setting, or on "Exchange DB" "Add", else "Home", else the first
    // button that works.
    void focusFirstControl();
    // Runs a set command unless an operation runs; errors end in the error box.
    void runSetOperation(const std::function<void()>& operation);

    taskdb::RunStore& store_;
    taskdb::DataModule& dm_;
    taskdb::TableSets& sets_;
    taskdb::TaskCopier& copier_;
    QPointer<QWidget> mainWindow_;
    bool committing_ = false;
    bool homeFocusAsked_ = false;

    QTabWidget* pages_ = nullptr;
    std::array<QSpinBox*, SettingCount> upDowns_{}; // null for the two gaps
    std::array<QLineEdit*, SettingCount> taskEdits_{};
    GapEdit* bbEdit_ = nullptr;
    GapEdit* bwEdit_ = nullptr;
    ui::DataEdit* qwDBEd_ = nullptr;
    QCheckBox* lastCheck_ = nullptr;
    ui::DataCheckBox* lastDBCheck_ = nullptr;
    QRadioButton* keepRadio_ = nullptr;
    QRadioButton* taskRadio_ = nullptr;
    QPushButton* defltButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* homeButton_ = nullptr;
    QPushButton* expButton_ = nullptr;
    QPushButton* impButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
};

} // namespace rectix::app
