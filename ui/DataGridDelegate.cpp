#include "ui/DataGridDelegate.h"

#include "dataset/Field.h"
#include "ui/DataGridModel.h"
#include "ui/ErrorBoundary.h"

#include <QComboBox>
#include <QLineEdit>

namespace rectix::ui {

namespace {

const DataGridModel* gridModel(const QModelIndex& index) {
    return qobject_cast<const DataGridModel*>(index.model());
}

} // namespace

QWidget* DataGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    const DataGridModel* model = gridModel(index);
    if (!model || !model->hasDropDown(index.column())) {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        auto* line = qobject_cast<QLineEdit*>(editor);
        const dataset::Field* field = model ? &model->columnField(index.column()) : nullptr;
        if (line && field && field->type() == dataset::FieldType::String && field->size() > 0)
            line->setMaxLength(field->size());
        return editor;
    }
    auto* combo = new QComboBox(parent);
    combo->setMaxVisibleItems(model->column(index.column()).dropDownRows);
    ErrorBoundary::run([&] { combo->addItems(model->choices(index.column())); });
    auto* self = const_cast<DataGridDelegate*>(this);
    connect(combo, &QComboBox::activated, self, [self, combo] {
        emit self->commitData(combo);
        emit self->closeEditor(combo);
    });
    return combo;
}

void DataGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setCurrentIndex(combo->findText(index.data(Qt::EditRole).toString()));
    else
        QStyledItemDelegate::setEditorData(editor, index);
}

void DataGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->currentIndex() >= 0) model->setData(index, combo->currentText(), Qt::EditRole);
    } else {
        QStyledItemDelegate::setModelData(editor, model, index);
    }
}

} // namespace rectix::ui

namespace rectix::ui {

void DataGridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if ((option->state & QStyle::State_Enabled) || !option->widget) return;
    option->palette.setBrush(QPalette::Text,
                             option->widget->palette().brush(QPalette::Disabled, QPalette::Text));
    option->backgroundBrush = QBrush();
}

} // namespace rectix::ui
