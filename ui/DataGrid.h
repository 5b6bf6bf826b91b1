#pragma once

#include "ui/DataColumn.h"
#include "ui/PendingEdit.h"

#include <QTableView>

#include <functional>
#include <vector>

namespace rectix::dataset {
class Cursor;
}

namespace rectix::ui {

class DataGridModel;

// A grid over a cursor whose current row is the cursor's current row: selecting another row
// moves the cursor there (one move), and the cursor's moves move the selection.
//
// Editing a cell puts the cursor into edit and writes the field when the cell editor closes;
// moving to another row posts the record, and a refused post keeps the cursor (and the grid) on
// the row. A rule that refuses the record for a field's value brings the grid's keyboard focus
// to that field's cell of the row; until a new value is written to the record, or it is posted or
// cancelled, moving between its cells posts nothing (columnExited is not emitted). A refusal by a
// columnExited handler that names its field keeps the grid on the row. A key that starts an edit whose rules
// ask the user first opens the cell editor on the value as it is, selected: the keys typed behind it went
// with the question. Esc in a cell editor reverts the cell, and drops the record's edit when nothing was
// changed yet; Esc outside a cell editor cancels the record. Tab moves between cells, Ctrl+Tab
// (with Shift, backwards) leaves the grid. A refused value keeps its cell current. Ctrl+Delete asks "Delete
// record?" and deletes the current row. Focus leaving the grid for another control of the window drops an
// inserted record that nothing was written to. Refusals (core::SilentAbort) end an action with
// nothing more shown; other errors go to the error box.
//
// Columns keep their order (their headers cannot be dragged). Their widths (in pixels, or in
// characters of the grid's font) and visibility are taken from the definitions when the grid is
// made; later the grid's own setColumnWidth and setColumnHidden change them. A column is widened
// to fit its title whenever the title is set; the field's label shown for a column without one
// does not widen it.
class DataGrid : public QTableView, public PendingEdit {
    Q_OBJECT
  public:
    DataGrid(dataset::Cursor& cursor, std::vector<DataColumn> columns, QWidget* parent = nullptr);
    ~DataGrid() override;

    DataGridModel& dataModel() const { return *model_; }
    dataset::Cursor& dataCursor() const;

    // A read-only grid opens no cell editor and deletes no row; its hooks still run.
    void setReadOnly(bool on) { readOnly_ = on; }
    bool isReadOnly() const { return readOnly_; }

    // Runs first for every key pressed in the grid (outside a cell editor); true consumes the key.
    std::function<bool(QKeyEvent&)> beforeKey;
    // Runs first for a double click; true consumes it, so no cell editor opens.
    std::function<bool()> beforeDoubleClick;

    // Writes what an open cell editor holds and closes it, as leaving the cell would.
    void finishCellEdit();
    // The same; false when the value was refused (the cell stays current on its old value).
    bool commitPendingEdit() override;

    using QTableView::edit;
    void keyboardSearch(const QString&) override {} // typing edits; it never jumps to a row

  signals:
    // Focus went from the grid (or its cell editor) to another control of the same window.
    void exited();
    // The current column changed.
    void columnExited();

  protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Shown, the grid marks the cursor's row as it selects now.
    void showEvent(QShowEvent* event) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

  private:
    void applyColumns();
    void fitTitle(int column);
    // Selects the cursor's current row, keeping the current column.
    void followCursor();
    // On a row being inserted, the first shown cell that takes typing.
    void currentToFirstEditableCell();
    // Moves the cursor to the record the user chose at `row`.
    void moveCursorTo(int row);
    void focusChanged(QWidget* old, QWidget* now);
    // A rule is refusing the record for the value of `column`'s field.
    void focusRefusedField(int column);
    bool contains(const QWidget* w) const;

    DataGridModel* model_;
    bool readOnly_ = false;
    bool following_ = false;
    bool commitRefused_ = false;
    bool discarding_ = false; // an editor goes with its row: what it holds is not written
    bool rowRefused_ = false; // a rule refused the record being edited for one of its fields
    int refusedColumn_ = -1;  // the column the next following of the cursor makes current
};

} // namespace rectix::ui
