#include "ui/DataGrid.h"

#include "core/NumberFormat.h"
#include "dataset/Cursor.h"
#include "dataset/Field.h"
#include "ui/DataGridDelegate.h"
#include "ui/DataGridModel.h"
#include "ui/ErrorBoundary.h"
#include "ui/RecordDeletion.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QStyle>

#include <cstddef>
#include <utility>

namespace rectix::ui {

namespace {

using dataset::CursorState;

bool editing(const dataset::Cursor& c) {
    return c.state() == CursorState::Edit || c.state() == CursorState::Insert;
}

// Runs a hook under the error boundary; a hook that fails consumes its event.
template <typename Hook, typename... Args> bool consumedBy(const Hook& hook, Args&... args) {
    if (!hook) return false;
    bool consumed = true;
    ErrorBoundary::run([&] { consumed = hook(args...); });
    return consumed;
}

// Notes whether a modal window blocked `window` while it lives: a rule asked the user something.
class QuestionWatch : public QObject {
  public:
    explicit QuestionWatch(QWidget* window) : window_(window) { window_->installEventFilter(this); }
    ~QuestionWatch() override {
        if (window_) window_->removeEventFilter(this);
    }
    QuestionWatch(const QuestionWatch&) = delete;
    QuestionWatch& operator=(const QuestionWatch&) = delete;

    bool asked() const { return asked_; }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::WindowBlocked) asked_ = true;
        return false;
    }

  private:
    QPointer<QWidget> window_;
    bool asked_ = false;
};

} // namespace

DataGrid::DataGrid(dataset::Cursor& cursor, std::vector<DataColumn> columns, QWidget* parent)
    : QTableView(parent), model_(new DataGridModel(cursor, std::move(columns), this)) {
    setModel(model_);
    setItemDelegate(new DataGridDelegate(this));
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setHighlightSections(false);
    // A narrow row marker column: the current row's arrow, or its edit or insert mark.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setFixedWidth(fontMetrics().height() + 4);
    applyColumns();
    connect(model_, &QAbstractItemModel::headerDataChanged, this,
            [this](Qt::Orientation orientation, int first, int last) {
                if (orientation != Qt::Horizontal) return;
                for (int c = first; c <= last; ++c) fitTitle(c);
            });
    connect(model_, &DataGridModel::cursorMoved, this, &DataGrid::followCursor);
    connect(model_, &DataGridModel::fieldFocused, this, &DataGrid::focusRefusedField);
    connect(qApp, &QApplication::focusChanged, this, &DataGrid::focusChanged);
    followCursor();
}

DataGrid::~DataGrid() {
    // The base destructor gives up the focus, which would call focusChanged on a grid half gone.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

dataset::Cursor& DataGrid::dataCursor() const {
    return model_->dataCursor();
}

void DataGrid::applyColumns() {
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    // A column of N characters shows N digits whole, and a number with decimals its separator
    // besides: "1234,5" in a cost column of five.
    const int separatorWidth = fontMetrics().horizontalAdvance(
        QString::fromStdString(core::NumberFormat::regional().decimalSeparator()));
    for (int c = 0; c < model_->columnCount(); ++c) {
        const DataColumn& def = model_->column(c);
        const dataset::Field& field = model_->columnField(c);
        const int chars = def.widthChars > 0 ? def.widthChars : field.displayWidth();
        const bool decimals = field.displayFormat().find('.') != std::string::npos;
        const int charsWidth = chars * charWidth + 8 + (decimals ? separatorWidth : 0);
        setColumnWidth(c, def.widthPixels > 0 ? def.widthPixels : chars > 0 ? charsWidth : 64);
        setColumnHidden(c, !def.visible);
        fitTitle(c);
    }
}

// A column is never narrower than its title, whatever language wrote the title. The field's label
// only stands in until a title is written, so it leaves the design width alone.
void DataGrid::fitTitle(int c) {
    if (model_->column(c).title.isEmpty()) return;
    const QHeaderView* header = horizontalHeader();
    const QString title = model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int needed = header->fontMetrics().horizontalAdvance(title) + 2 * margin + 4;
    if (columnWidth(c) < needed) setColumnWidth(c, needed);
}

void DataGrid::followCursor() {
    const int row = model_->currentRow();
    const QModelIndex current = currentIndex();
    if (!editing(dataCursor())) rowRefused_ = false;
    following_ = true;
    if (row < 0) {
        if (current.isValid() || selectionModel()->hasSelection()) selectionModel()->clear();
    } else {
        int column = std::exchange(refusedColumn_, -1);
        if (column < 0) column = current.isValid() ? current.column() : 0;
        while (column < model_->columnCount() - 1 && isColumnHidden(column)) ++column;
        const QModelIndex target = model_->index(row, column);
        // A grid without selection only marks its current cell while it has the focus; a grid
        // of whole rows selects the whole row it follows to.
        const bool selecting = selectionMode() != NoSelection;
        QItemSelectionModel::SelectionFlags how =
            selecting ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Clear;
        if (selecting && selectionBehavior() == SelectRows) how |= QItemSelectionModel::Rows;
        // A grid made to select rows after it followed the cursor holds one selected cell.
        const bool shown = !selecting                          ? !selectionModel()->hasSelection()
                           : selectionBehavior() == SelectRows ? selectionModel()->isRowSelected(row, {})
                                                               : selectionModel()->isSelected(target);
        if (target != current || !shown) selectionModel()->setCurrentIndex(target, how);
        if (row != current.row()) scrollTo(target);
    }
    following_ = false;
}

void DataGrid::moveCursorTo(int row) {
    dataset::Cursor& c = dataCursor();
    ErrorBoundary::run([&] {
        if (!c.isOpen()) return;
        auto target = static_cast<std::ptrdiff_t>(row);
        const CursorState state = c.state();
        if (state == CursorState::Edit || state == CursorState::Insert) {
            // Posting may move the record to another place in the order; the chosen row is
            // found again from where the record was and where it went.
            const auto at = static_cast<std::ptrdiff_t>(c.currentIndex());
            const std::size_t before = c.recordCount();
            if (target > at) --target;
            if (c.modified())
                c.post();
            else
                c.cancel();
            if (!c.isOpen()) return;
            const std::size_t after = c.recordCount();
            const bool recordShown = state == CursorState::Edit ? after >= before : after > before;
            if (recordShown && target >= static_cast<std::ptrdiff_t>(c.currentIndex())) ++target;
        }
        if (c.recordCount() == 0) return;
        const std::ptrdiff_t distance = target - static_cast<std::ptrdiff_t>(c.currentIndex());
        if (distance != 0) c.moveBy(distance);
    });
    followCursor();
}

bool DataGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool opensEditor = index.isValid() && (model_->flags(index) & Qt::ItemIsEditable) &&
                             state() != EditingState &&
                             (trigger == AllEditTriggers || (trigger & editTriggers()));
    if (opensEditor) {
        // Only the current cell opens: a refusal may have taken the grid back from the cell that
        // Tab or Enter would edit next.
        if (readOnly_ || index.row() != model_->currentRow() || index != currentIndex()) return false;
        dataset::Cursor& c = dataCursor();
        const QuestionWatch question(window());
        if (!ErrorBoundary::run([&] {
                if (!editing(c)) c.edit();
            }))
            return false;
        // The keys typed after the first went with the question: alone, the first would become
        // the value. The editor shows the value as it is, selected, for the user to type again.
        if (question.asked()) return QTableView::edit(index, trigger, nullptr);
    }
    return QTableView::edit(index, trigger, event);
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (following_ || !current.isValid()) return;
    if (previous.isValid() && current.column() != previous.column() && !rowRefused_) {
        emit columnExited();
        // Refused: the grid is back on the refused cell, and moving on would post the row again.
        if (rowRefused_) return;
    }
    if (current.row() != model_->currentRow()) moveCursorTo(current.row());
}

// A drop-down chosen by Enter commits at once and again through the delegate's queued call; the
// editor closed by the first is hidden and takes nothing more.
void DataGrid::commitData(QWidget* editor) {
    if (discarding_ || (editor && editor->isHidden())) return;
    const QString before = currentIndex().data(Qt::EditRole).toString();
    QTableView::commitData(editor);
    commitRefused_ = model_->lastSetRefused();
    // A new value answers the refusal: leaving its cell asks the rules again.
    if (!commitRefused_ && currentIndex().data(Qt::EditRole).toString() != before) rowRefused_ = false;
}

// A refused value keeps the user in its cell, whatever key closed the editor.
void DataGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (editor && editor->isHidden()) return;
    if (std::exchange(commitRefused_, false)) hint = QAbstractItemDelegate::NoHint;
    // The window's focus stays in the grid, also while a dialog has taken the window's activation.
    const QWidget* focus = window()->focusWidget();
    const bool hadFocus = editor && focus && (focus == editor || editor->isAncestorOf(focus));
    QTableView::closeEditor(editor, hint);
    const QWidget* after = window()->focusWidget();
    if (hadFocus && (!contains(after) || after == editor || editor->isAncestorOf(after)))
        setFocus(Qt::OtherFocusReason);
    if (hint != QAbstractItemDelegate::RevertModelCache) return;
    dataset::Cursor& c = dataCursor();
    if (editing(c) && !c.modified()) ErrorBoundary::run([&] { c.cancel(); });
}

void DataGrid::finishCellEdit() {
    commitPendingEdit();
}

bool DataGrid::commitPendingEdit() {
    if (state() != EditingState) return true;
    const QPointer<QWidget> editor = indexWidget(currentIndex());
    if (!editor) return true;
    commitData(editor);
    const bool refused = commitRefused_;
    if (editor) closeEditor(editor, QAbstractItemDelegate::NoHint);
    commitRefused_ = false;
    return !refused;
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
    if (consumedBy(beforeKey, *event)) {
        event->accept();
        return;
    }
    dataset::Cursor& c = dataCursor();
    if (event->key() == Qt::Key_Escape && editing(c)) {
        ErrorBoundary::run([&] { c.cancel(); });
        event->accept();
        return;
    }
    // Tab moves between cells; Ctrl+Tab leaves the grid, as in every Qt item view.
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
        (event->modifiers() & Qt::ControlModifier)) {
        const bool back = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        QWidget::focusNextPrevChild(!back);
        event->accept();
        return;
    }
    // Insert adds a row as the navigator's "+" does (the cursor's rules decide), and the new
    // row's first cell that takes typing becomes current: rows can be added by keyboard alone.
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
        if (!readOnly_ && commitPendingEdit() && ErrorBoundary::run([&] {
                if (c.isOpen()) c.insert();
            }))
            currentToFirstEditableCell();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier) {
        if (!readOnly_)
            ErrorBoundary::run([&] {
                if (c.isOpen() && !c.isEmpty()) deleteRecordAsked(c);
            });
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
    followCursor();
}

void DataGrid::currentToFirstEditableCell() {
    followCursor();
    const int row = model_->currentRow();
    if (row < 0 || dataCursor().state() != CursorState::Insert) return;
    for (int col = 0; col < model_->columnCount(); ++col) {
        const QModelIndex cell = model_->index(row, col);
        if (isColumnHidden(col) || !(model_->flags(cell) & Qt::ItemIsEditable)) continue;
        setCurrentIndex(cell);
        return;
    }
}

void DataGrid::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    followCursor();
}

void DataGrid::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    // The press selects the cell it hit even where the cursor could not go.
    followCursor();
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (consumedBy(beforeDoubleClick)) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

// A rule that drops a new row takes its cell editor with it, and the window's focus would go to
// the next control, or to the window's first one when it is active again, where the next keys
// change another field. The focus stays in the grid.
void DataGrid::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
    const QModelIndex at = currentIndex();
    const QWidget* focus = window()->focusWidget();
    if (state() == EditingState && at.isValid() && at.row() >= start && at.row() <= end && focus &&
        viewport()->isAncestorOf(focus)) {
        const bool was = std::exchange(discarding_, true);
        setFocus(Qt::OtherFocusReason);
        discarding_ = was;
    }
    QTableView::rowsAboutToBeRemoved(parent, start, end);
}

void DataGrid::focusRefusedField(int column) {
    if (column < 0 || isColumnHidden(column) || !editing(dataCursor())) return;
    rowRefused_ = true;
    // An open editor writes its value first; the cell it stands in stays current.
    if (state() == EditingState) return;
    refusedColumn_ = column;
    // The message that follows gives the keyboard back to where it was when it opened.
    if (isVisible() && isEnabled() && !contains(QApplication::focusWidget())) setFocus(Qt::OtherFocusReason);
    followCursor();
}

bool DataGrid::contains(const QWidget* w) const {
    return w && (w == this || isAncestorOf(w));
}

void DataGrid::focusChanged(QWidget* old, QWidget* now) {
    if (!contains(old) || contains(now) || !now || now->window() != window()) return;
    dataset::Cursor& c = dataCursor();
    ErrorBoundary::run([&] {
        if (c.isOpen() && c.state() == CursorState::Insert && !c.modified()) c.cancel();
    });
    emit exited();
}

} // namespace rectix::ui
