#pragma once

#include <QStyledItemDelegate>

namespace rectix::ui {

// The cell editors of a data grid: a drop-down list for lookup and pick-list columns (choosing
// an entry commits it at once; typed text completes to an entry, and text matching none goes to
// the field, which refuses it with its message), a line edit limited to the field's size for the others. Up,
// Down, Page Up and Page Down move between rows in every editor, the drop-down's closed list included
// (Alt+Down opens it). In a disabled grid the columns' own text and background colours give way to the
// disabled grey. A number or date too wide for its cell shows the overflow mark, never a shorter
// number; a text too wide is elided.
class DataGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

} // namespace rectix::ui
