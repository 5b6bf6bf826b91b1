#pragma once

#include "dataset/CursorObserver.h"
#include "ui/DataColumn.h"
// moc cannot read the concepts that Value.h uses.
#ifndef Q_MOC_RUN
#include "dataset/Value.h"
#endif

#include <QAbstractTableModel>

#include <cstddef>
#include <exception>
#include <unordered_map>
#include <vector>

namespace rectix::dataset {
class Cursor;
class Field;
} // namespace rectix::dataset

namespace rectix::ui {

// The rows of a cursor as a table: one row per row of the cursor's view and, in insert state,
// the new record at the place where it shows. Rows are read with rowValues, so the cursor never
// moves for the display, and are kept until the cursor tells of a change. While the cursor's
// controls are disabled the model reads nothing and keeps showing what it showed; it catches
// up when they are enabled. A closed cursor shows no rows.
//
// The cursor must outlive the model. A column naming a field the cursor lacks is a
// DatabaseError when the model is made.
class DataGridModel : public QAbstractTableModel, private dataset::CursorObserver {
    Q_OBJECT
  public:
    DataGridModel(dataset::Cursor& cursor, std::vector<DataColumn> columns, QObject* parent = nullptr);
    ~DataGridModel() override;

    dataset::Cursor& dataCursor() const { return cursor_; }
    const DataColumn& column(int c) const { return columns_.at(static_cast<std::size_t>(c)).def; }
    // Changes a column's settings (for example its read-only state and colour by mode); width
    // and visibility belong to the view.
    void setColumn(int c, DataColumn column);
    dataset::Field& columnField(int c) const { return *columns_.at(static_cast<std::size_t>(c)).field; }
    // Edited through a drop-down list: a lookup field, or a column with a pick list.
    bool hasDropDown(int c) const;
    // The texts the drop-down list of column c offers: its pick list, or the values of the
    // lookup's result field in the order of the lookup's source cursor.
    QStringList choices(int c) const;

    // The row that shows the cursor's current record; -1 when there is none.
    int currentRow() const;
    // Whether the user may change the cell, the cursor's state aside.
    bool isEditable(int c) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Horizontal sections take titles; the language texts write them by column number.
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Only on the current row: puts the cursor into edit and assigns the text to the field.
    // A refusal or an error (shown through the error boundary) leaves the old value; false then.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // Whether the last setData was refused or failed; cleared by the next one.
    bool lastSetRefused() const { return lastSetRefused_; }

  signals:
    // The cursor's current row, its rows or its state changed; a view follows the cursor.
    void cursorMoved();
    // A rule is about to refuse the record for the value of the field that `column` shows.
    void fieldFocused(int column);

  private:
    struct Column {
        DataColumn def;
        dataset::Field* field;
        std::size_t position; // among the cursor's fields, as rowValues gives them
    };

    void cursorScrolled(dataset::Cursor&) override;
    void cursorDataChanged(dataset::Cursor&) override;
    void cursorRecordChanged(dataset::Cursor&, const dataset::Field&) override;
    void cursorStateChanged(dataset::Cursor&) override;
    void cursorFieldFocused(dataset::Cursor&, const dataset::Field& field) override;

    Column bind(DataColumn def) const;
    void refresh();
    const std::vector<dataset::Value>* rowAt(int row) const;
    void reportLater(std::exception_ptr error) const;

    dataset::Cursor& cursor_;
    std::vector<Column> columns_;
    int rowCount_ = 0;
    bool refreshing_ = false;
    bool lastSetRefused_ = false;
    mutable std::unordered_map<int, std::vector<dataset::Value>> cache_;
    mutable bool reported_ = false;
};

} // namespace rectix::ui
