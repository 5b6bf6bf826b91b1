#include "app/TaskListWindow.h"

#include "app/SettingsWindow.h"
#include "core/Dialogs.h"
#include "core/UiTexts.h"
#include "taskdb/DataModule.h"
#include "taskdb/ExchangeView.h"
#include "ui/ControlBuilders.h"
#include "ui/DataGrid.h"
#include "ui/ErrorBoundary.h"
#include "ui/Hints.h"
#include "ui/RecordDeletion.h"
#include "ui/WindowTexts.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
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
        widest = std::max(widest, metrics.horizontalAdvance(QLocale::system().toString(
                                      QDate(2088, month, 28), QLocale::ShortFormat)));
    return widest + 12;
}

} // namespace

TaskListWindow::TaskListWindow(taskdb::DataModule& dm, SettingsWindow& settings, QWidget* mainWindow)
    : QDialog(mainWindow), dm_(dm), settings_(settings), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("NameForm"));
    setWindowTitle(QStringLiteral("Select a Task"));

    grid_ = new ui::DataGrid(dm_.tasks, {ui::readOnlyColumn("Name", "  Task Name", 171),
                                         ui::readOnlyColumn("Date", "  Date", 73),
                                         ui::readOnlyColumn("Solut", "Solution", 0),
                                         ui::readOnlyColumn("Descr", "  Description", 64)});
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

    deleteButton_ = ui::namedButton("DeleteButton", "&Delete Task");
    duplButton_ = ui::namedButton("DuplButton", "D&uplicate Task");
    closeButton_ = ui::namedButton("CloseButton", "Clos&e");
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
}

void TaskListWindow::showExchangeState(const taskdb::ExchangeState& state) {
    duplButton_->setEnabled(state.duplEnabled);
}

void TaskListWindow::deleteButtonClick() {
    if (dm_.tasks.isEmpty()) {
        core::Dialogs::current().show(core::DialogKind::Confirmation,
                                      core::messageText(core::Msg::SetIsEmpty), core::DialogButton::Ok, 0);
        return;
    }
    ui::deleteRecordAsked(dm_.tasks);
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
    if (!mainWindow_) return;
    for (const char* name : {"ViewButton", "RunButton"}) {
        auto* b = mainWindow_->findChild<QPushButton*>(QString::fromLatin1(name));
        if (b && b->isEnabled()) {
            b->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

} // namespace rectix::app
