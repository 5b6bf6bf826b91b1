#include "app/TaskListWindow.h"

#include "app/MainWindow.h"
#include "app/SettingsWindow.h"
#include "core/Dialogs.h"
#include "core/ScopeGuard.h"
#include "core/UiTexts.h"
#include "taskdb/DataModule.h"
#include "taskdb/ExchangeView.h"
#include "ui/ControlBuilders.h"
#include "ui/DataGrid.h"
#include "ui/EnterPressesButton.h"
#include "ui/ErrorBoundary.h"
#include "ui/Hints.h"
#include "ui/RecordDeletion.h"
#include "ui/RegionalSettings.h"
#include "ui/WindowTexts.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace rectix::app {

namespace {

constexpr int dateColumn = 1;

// The widest date the short date format gives, with the cell's margins.
int widestDate(const QFontMetrics& metrics) {
    int widest = 0;
    for (int month = 1; month <= 12; ++month)
        widest = std::max(widest,
                          metrics.horizontalAdvance(ui::RegionalSettings::shortDate(QDate(2088, month, 28))));
    return widest + 12;
}

} // namespace

TaskListWindow::TaskListWindow(taskdb::DataModule& dm, SettingsWindow& settings, MainWindow* mainWindow)
    : QDialog(mainWindow), dm_(dm), settings_(settings), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("NameForm"));

    grid_ = new ui::DataGrid(dm_.tasks, {ui::readOnlyColumn("Name", 171), ui::readOnlyColumn("Date", 73),
                                         ui::readOnlyColumn("Solut", 0), ui::readOnlyColumn("Descr", 64)});
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->setToolTip(QStringLiteral("Select stored task"));
    grid_->setReadOnly(true);
    // One line a task: the date column is as wide as the longest date, the description takes
    // what the window leaves.
    grid_->setWordWrap(false);
    grid_->setColumnWidth(dateColumn,
                          std::max(grid_->columnWidth(dateColumn), widestDate(grid_->fontMetrics())));
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The selected row shows as selected also while the grid has no focus.
    QPalette p = grid_->palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText,
               p.color(QPalette::Active, QPalette::HighlightedText));
    grid_->setPalette(p);
    grid_->beforeKey = [this](QKeyEvent& key) {
        switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            accept();
            return true;
        default:
            return false;
        }
    };
    grid_->beforeDoubleClick = [this] {
        accept();
        return true;
    };

    deleteButton_ = ui::namedButton("DeleteButton");
    duplButton_ = ui::namedButton("DuplButton");
    closeButton_ = ui::namedButton("CloseButton");
    closeButton_->setDefault(true);
    connect(deleteButton_, &QPushButton::clicked, this, ui::guarded([this] { deleteButtonClick(); }));
    connect(duplButton_, &QPushButton::clicked, this, [this] { duplButtonClick(); });
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(deleteButton_);
    buttons->addWidget(duplButton_);
    buttons->addStretch();
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(buttons);
    resize(482, 290);
    // The prompts switch leaves the list's hints alone.
    ui::Hints::global().keepShown(this);
    ui::WindowTexts::global().registerWindow(QStringLiteral("TNameForm"), this);
    ui::EnterPressesButton::install(this);
}

void TaskListWindow::showExchangeState(const taskdb::ExchangeState& state) {
    duplButton_->setEnabled(state.duplEnabled);
}

void TaskListWindow::deleteButtonClick() {
    // Unless a task went, the keyboard stays on the button: Enter in the grid would close the list.
    core::ScopeGuard stay([this] {
        if (!isVisible()) return;
        activateWindow();
        deleteButton_->setFocus(Qt::OtherFocusReason);
    });
    if (dm_.tasks.isEmpty()) {
        core::Dialogs::current().show(core::DialogKind::Confirmation,
                                      core::messageText(core::Msg::SetIsEmpty), core::DialogButton::Ok, 0);
        return;
    }
    if (!ui::deleteRecordAsked(dm_.tasks)) return;
    stay.dismiss();
    focusGrid();
}

void TaskListWindow::duplButtonClick() {
    settings_.taskCopying(false);
    focusGrid();
}

// The list goes on from the keyboard where the user left it: on the current row.
void TaskListWindow::focusGrid() {
    if (!isVisible()) return;
    activateWindow();
    grid_->setFocus(Qt::OtherFocusReason);
}

// The focus on the task page goes where the user goes next: the layout, else the run.
void TaskListWindow::done(int result) {
    QDialog::done(result);
    if (mainWindow_) mainWindow_->focusNextCommand();
}

} // namespace rectix::app
