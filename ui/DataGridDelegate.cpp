#include "ui/DataGridDelegate.h"

#include "dataset/Field.h"
#include "ui/DataGridModel.h"
#include "ui/ErrorBoundary.h"
#include "ui/FigureFit.h"
#include "ui/ShownValue.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace rectix::ui {

namespace {

const DataGridModel* gridModel(const QModelIndex& index) {
    return qobject_cast<const DataGridModel*>(index.model());
}

bool movesBetweenRows(const QKeyEvent& key) {
    if (key.modifiers() & Qt::AltModifier) return false;
    switch (key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
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
    // Typing goes into the cell and completes to a listed value; the field refuses any other.
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(model->column(index.column()).dropDownRows);
    ErrorBoundary::run([&] { combo->addItems(model->choices(index.column())); });
    auto* self = const_cast<DataGridDelegate*>(this);
    connect(combo, &QComboBox::activated, self, [self, combo] {
        emit self->commitData(combo);
        emit self->closeEditor(combo);
    });
    return combo;
}

bool DataGridDelegate::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* combo = qobject_cast<QComboBox*>(object);
        auto* key = static_cast<QKeyEvent*>(event);
        // Ignored, the key goes on to the grid, which moves to another row and commits the cell;
        // the closed list would have changed the value instead.
        if (combo && !combo->view()->isVisible() && movesBetweenRows(*key)) {
            key->ignore();
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

void DataGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(combo->findText(index.data(Qt::EditRole).toString()));
        // The first key typed replaces the value, as in a text cell.
        if (QLineEdit* line = combo->lineEdit()) line->selectAll();
    } else
        QStyledItemDelegate::setEditorData(editor, index);
}

void DataGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const QString typed = combo->currentText().trimmed();
        if (typed.isEmpty()) return;
        const int listed = combo->findText(typed, Qt::MatchFixedString);
        model->setData(index, listed >= 0 ? combo->itemText(listed) : typed, Qt::EditRole);
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

namespace rectix::ui {

void DataGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QStyle* style = cell.widget ? cell.widget->style() : QApplication::style();
    const DataGridModel* model = gridModel(index);
    if (model && !cell.text.isEmpty() && showsFigure(model->columnField(index.column()))) {
        // The room the style leaves the text, which it would elide beyond.
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, cell.widget) + 1;
        const double room =
            style->subElementRect(QStyle::SE_ItemViewItemText, &cell, cell.widget).width() - 2 * margin;
        cell.text = FigureFit::shown(cell.text, QFontMetricsF(cell.font), room);
    }
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
}

} // namespace rectix::ui
