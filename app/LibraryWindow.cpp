#include "app/LibraryWindow.h"

#include "app/LibraryKind.h"
#include "app/MainWindow.h"
#include "app/PageColours.h"
#include "core/Dialogs.h"
#include "core/UiTexts.h"
#include "taskdb/DataModule.h"
#include "taskdb/RunStore.h"
#include "ui/ControlBuilders.h"
#include "ui/DataEdit.h"
#include "ui/DataGrid.h"
#include "ui/DataGridModel.h"
#include "ui/DataNavigator.h"
#include "ui/EnterPressesButton.h"
#include "ui/ErrorBoundary.h"
#include "ui/Help.h"
#include "ui/WindowTexts.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace rectix::app {

namespace {

const QColor readOnlyGrey{230, 230, 230};
constexpr int quantityColumn = 0;
constexpr QSize designClient{790, 268};

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

LibraryWindow::LibraryWindow(const LibraryKind& kind, taskdb::DataModule& dm, MainWindow* mainWindow)
    : QDialog(mainWindow), kind_(kind), dm_(dm), store_(dm.store()), mainWindow_(mainWindow) {
    setObjectName(QString::fromLatin1(kind.objectName));
    setModal(true);
    ui::Help::setContext(this, kind.helpContext);
    resize(designClient);
    setMinimumSize(600, 200);
    buildWindow();
    ui::ErrorBoundary::run([&] {
        if (library().isOpen()) library().refresh();
    });
    // Created in edit mode; the first showing turns to browse mode.
    store_.*kind_.editMode = true;
    ui::WindowTexts::global().registerWindow(QString::fromLatin1(kind.textsName), this);
    ui::EnterPressesButton::install(this);
}

LibraryWindow::~LibraryWindow() = default;

dataset::Cursor& LibraryWindow::library() const {
    return dm_.*kind_.library;
}

dataset::Cursor& LibraryWindow::taskRows() const {
    return dm_.*kind_.taskRows;
}

bool LibraryWindow::editMode() const {
    return store_.*kind_.editMode;
}

void LibraryWindow::buildWindow() {
    std::vector<ui::DataColumn> columns;
    for (const LibraryColumn& c : kind_.columns) {
        ui::DataColumn column;
        column.field = c.field;
        column.widthPixels = c.widthPixels;
        column.pickList = c.pickList;
        if (std::string_view(c.field) == "Volume") column.title = text(store_.areaLabel);
        if (std::string_view(c.field) == "Mark") column.alignment = Qt::AlignRight;
        // The wide last column runs past the window's edge: a centred title would sit out of
        // sight, and the texts' leading blanks are a margin from the left.
        if (std::string_view(c.field) == "Descr") column.titleAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        columns.push_back(std::move(column));
    }
    columns[quantityColumn].textColor = blueFont;
    columns[quantityColumn].titleBackground = readOnlyGrey;
    grid_ = new ui::DataGrid(library(), std::move(columns));
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->beforeKey = [this](QKeyEvent& e) {
        messEdit(e.key());
        return false;
    };
    grid_->beforeDoubleClick = [this] {
        messEdit(Qt::Key_Return);
        return false;
    };
    connect(grid_, &ui::DataGrid::exited, this, ui::guarded([this] { postLibrary(); }));

    navigator_ = new ui::DataNavigator(library());
    navigator_->setObjectName(QStringLiteral("DBNavigator1"));
    navigator_->setFixedWidth(180);
    nameEdit_ = new ui::DataEdit(dm_.tasks, "Name");
    nameEdit_->setObjectName(QStringLiteral("NameDBEdit"));
    nameEdit_->setReadOnly(true);
    nameEdit_->setFocusPolicy(Qt::ClickFocus);
    setBaseColour(nameEdit_, aqua);

    closeButton_ = ui::namedButton("CloseButton");
    editButton_ = ui::namedButton("EditButton");
    clearButton_ = ui::namedButton("ClearButton");
    resetButton_ = ui::namedButton("ResetButton");
    moveButton_ = ui::namedButton("MoveButton");
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(editButton_, &QPushButton::clicked, this, ui::guarded([this] { editButtonClick(); }));
    connect(clearButton_, &QPushButton::clicked, this, ui::guarded([this] { clearButtonClick(); }));
    connect(resetButton_, &QPushButton::clicked, this, ui::guarded([this] { resetButtonClick(); }));
    connect(moveButton_, &QPushButton::clicked, this, ui::guarded([this] { moveButtonClick(); }));

    auto* top = new QHBoxLayout;
    top->addWidget(navigator_);
    top->addStretch(1);
    top->addWidget(moveButton_);
    top->addWidget(nameEdit_, 2);
    buttons_ = new QHBoxLayout;
    for (QPushButton* b : {editButton_, clearButton_, resetButton_}) buttons_->addWidget(b);
    buttons_->addStretch(1);
    buttons_->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons_);
}

// Edit mode is left when the window is shown, not on every activation: the message boxes of a
// Clear pass activate the window again between its questions.
void LibraryWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (store_.placementFlags.*kind_.placement) {
        place();
        store_.placementFlags.*kind_.placement = false;
    }
    ui::ErrorBoundary::run([this] {
        editModeOff();
        // Typing starts in the quantity column, not where the last visit ended: a key there
        // would bring the mode hint instead of setting a quantity.
        focusGridColumn(quantityColumn);
        if (onShown) onShown();
    });
}

void LibraryWindow::done(int result) {
    // A pending library edit is written first; a refused one keeps the window open.
    if (!ui::ErrorBoundary::run([this] { postLibrary(); })) return;
    ui::ErrorBoundary::run([this] { editModeOff(); });
    QDialog::done(result);
}

// In edit mode Esc does not close the window: it belongs to the row being edited.
void LibraryWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && editMode()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void LibraryWindow::postLibrary() {
    dataset::Cursor& c = library();
    if (!c.isOpen()) return;
    const auto state = c.state();
    if (state != dataset::CursorState::Edit && state != dataset::CursorState::Insert) return;
    // A row opened for a change that never came (a question answered, the cell left as it was)
    // is closed as it was: left open, it would stay in edit state after the mode ends.
    if (c.modified())
        c.post();
    else
        c.cancel();
}

void LibraryWindow::editButtonClick() {
    if (editMode()) {
        editModeOff();
        return;
    }
    editModeOn();
    grid_->setFocus(Qt::OtherFocusReason);
    if (grid_->currentIndex().isValid() && grid_->currentIndex().column() == quantityColumn)
        grid_->setCurrentIndex(grid_->model()->index(grid_->currentIndex().row(), 1));
}

void LibraryWindow::editModeOn() {
    grid_->finishCellEdit();
    postLibrary();
    store_.*kind_.editMode = true;
    store_.*kind_.askEachTask = true;
    setNavigatorState();
    resetButton_->setEnabled(false);
    editButton_->setText(text(core::captionText(core::Caption::Fix)));
    clearButton_->setText(text(core::captionText(core::Caption::ClearRecords)));
    clearButton_->setToolTip(text(core::hintText(core::Hint::ClearRecords)));
    clearButton_->setEnabled(true);
    navigator_->setVisibleButtons({ui::DataNavigator::Button::First, ui::DataNavigator::Button::Prior,
                                   ui::DataNavigator::Button::Next, ui::DataNavigator::Button::Last,
                                   ui::DataNavigator::Button::Insert, ui::DataNavigator::Button::Delete});
    setColumns(true);
}

// The task page shows the library's values through its rows' lookups: they are read again.
void LibraryWindow::editModeOff() {
    // A cell editor left open would go on taking typing in a column the mode makes read-only.
    grid_->finishCellEdit();
    postLibrary();
    if (taskRows().isOpen()) taskRows().refresh();
    store_.*kind_.editMode = false;
    store_.*kind_.askEachTask = true;
    setNavigatorState();
    resetButton_->setEnabled(true);
    editButton_->setText(text(core::captionText(core::Caption::Edit)));
    clearButton_->setText(text(core::captionText(core::Caption::PrintList)));
    clearButton_->setToolTip(text(core::hintText(core::Hint::PrintList)));
    // Browse mode prints the library once the report forms are there.
    clearButton_->setEnabled(reports_ != nullptr);
    navigator_->setVisibleButtons({ui::DataNavigator::Button::First, ui::DataNavigator::Button::Prior,
                                   ui::DataNavigator::Button::Next, ui::DataNavigator::Button::Last});
    setColumns(false);
}

// Edit mode: every column but the quantity takes typing; browse mode: only the quantity, Temp and
// the description. Read-only columns show why by their colour.
void LibraryWindow::setColumns(bool editing) {
    ui::DataGridModel& model = grid_->dataModel();
    const int last = model.columnCount() - 1;
    for (int c = 0; c <= last; ++c) {
        ui::DataColumn column = model.column(c);
        const bool quantity = c == quantityColumn;
        const bool browseEditable = quantity || c >= last - 1;
        column.readOnly = editing ? quantity : !browseEditable;
        if (editing)
            column.background = quantity || column.field == "Volume" ? readOnlyGrey : QColor();
        else
            column.background = browseEditable ? QColor() : libraryYellow;
        model.setColumn(c, std::move(column));
    }
}

void LibraryWindow::setNavigatorState() {
    bool enabled = !editMode() && dm_.tasks.isOpen();
    ui::ErrorBoundary::run([&] {
        enabled = enabled && !dm_.tasks.isEmpty() && !dm_.tasksSolut.asBoolean() &&
                  dm_.tasksTaskID.asInteger() != 0;
    });
    moveButton_->setEnabled(enabled);
}

void LibraryWindow::messEdit(int key) {
    if (!MainWindow::editKeys(key)) return;
    const int column = grid_->currentIndex().isValid() ? grid_->currentIndex().column() : -1;
    const int count = grid_->model()->columnCount();
    int slot = 0;
    if (editMode() && column == quantityColumn)
        slot = 5;
    else if (!editMode() && column > quantityColumn && column < count - 2)
        slot = 6;
    if (slot != 0)
        core::Dialogs::current().show(core::DialogKind::Information, core::messageText(slot),
                                      core::DialogButton::Ok, kind_.helpContext);
}

void LibraryWindow::focusGridColumn(int column) {
    const int row = std::max(grid_->dataModel().currentRow(), 0);
    if (grid_->model()->rowCount() > 0) grid_->setCurrentIndex(grid_->model()->index(row, column));
    grid_->setFocus(Qt::OtherFocusReason);
}

// Beside the main window, as tall as the screen allows, never off the screen and never below the
// window's minimum size.
void LibraryWindow::place() {
    if (!mainWindow_) return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect s = screen->geometry();
    const QRect main = mainWindow_->frameGeometry();
    const QRect anchor = mainWindow_->anchorGeometry(kind_.anchor);
    const int anchorTop = anchor.isNull() ? main.top() : anchor.top();

    int left = std::max(main.left() - 8, s.left());
    int width = std::max(std::min(main.width() + 16, s.right() + 1 - left), 798);
    int top = anchorTop + kind_.anchorOffset;
    int height = s.bottom() + 1 - top - 30;
    if (kind_.heightWithinMainWindow && !anchor.isNull()) {
        const int anchorInMain = anchor.top() - mainWindow_->mapToGlobal(QPoint(0, 0)).y();
        height = std::min(mainWindow_->height() - anchorInMain + 16, height);
    }
    // The task page's anchor can stand so low (the "Box Library" button on its bottom row) that
    // the height it gives is a strip of a few rows: the window keeps at least its design size,
    // starting at the anchor while the screen has room below it, else raised until it fits.
    height = std::max({height, minimumHeight(), designClient.height()});
    width = std::max(width, designClient.width());
    width = std::min(width, s.width());
    height = std::min(height, s.height());
    top = std::clamp(std::min(top, s.bottom() + 1 - height - 30), s.top(), s.bottom() + 1 - height);
    left = std::clamp(left, s.left(), s.right() + 1 - width);
    setGeometry(left, top, width, height);
}

} // namespace rectix::app
