#include "ui/DataGridModel.h"

#include "ui/ShownValue.h"

#include "dataset/Cursor.h"
#include "dataset/Field.h"
#include "ui/ErrorBoundary.h"

#include <QBrush>
#include <QMetaObject>

#include <utility>

namespace rectix::ui {

namespace {

using dataset::CursorState;
using dataset::FieldKind;
using dataset::FieldType;

QString fromUtf8(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

bool editing(const dataset::Cursor& c) {
    return c.state() == CursorState::Edit || c.state() == CursorState::Insert;
}

bool isNumber(FieldType t) {
    return t == FieldType::AutoInc || t == FieldType::Int16 || t == FieldType::Int32 ||
           t == FieldType::Double;
}

// The row marker of the current row, by the cursor's state.
QString marker(CursorState s) {
    switch (s) {
    case CursorState::Edit:
        return QStringLiteral("\u270E");
    case CursorState::Insert:
        return QStringLiteral("*");
    default:
        return QStringLiteral("\u25B6");
    }
}

} // namespace

DataGridModel::DataGridModel(dataset::Cursor& cursor, std::vector<DataColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), cursor_(cursor) {
    for (auto& def : columns) columns_.push_back(bind(std::move(def)));
    cursor_.addObserver(this);
    refresh();
}

DataGridModel::~DataGridModel() {
    cursor_.removeObserver(this);
}

DataGridModel::Column DataGridModel::bind(DataColumn def) const {
    dataset::Field& f = cursor_.field(def.field);
    std::size_t position = 0;
    while (&cursor_.fieldAt(position) != &f) ++position;
    return {std::move(def), &f, position};
}

void DataGridModel::setColumn(int c, DataColumn column) {
    columns_.at(static_cast<std::size_t>(c)) = bind(std::move(column));
    emit headerDataChanged(Qt::Horizontal, c, c);
    if (rowCount_ > 0) emit dataChanged(index(0, c), index(rowCount_ - 1, c));
}

bool DataGridModel::hasDropDown(int c) const {
    return !column(c).pickList.isEmpty() || columnField(c).kind() == FieldKind::Lookup;
}

QStringList DataGridModel::choices(int c) const {
    if (!column(c).pickList.isEmpty()) return column(c).pickList;
    const dataset::LookupDef* lookup = columnField(c).lookup();
    if (!lookup || !lookup->source->isOpen()) return {};
    dataset::Cursor& source = *lookup->source;
    const dataset::Field& result = source.field(lookup->resultField);
    std::size_t position = 0;
    while (&source.fieldAt(position) != &result) ++position;
    QStringList texts;
    const std::size_t n = source.recordCount();
    for (std::size_t r = 0; r < n; ++r) texts << shownValue(result, source.rowValues(r)[position]);
    return texts;
}

int DataGridModel::currentRow() const {
    if (!cursor_.isOpen() || rowCount_ == 0) return -1;
    const auto row = static_cast<int>(cursor_.currentIndex());
    return row < rowCount_ ? row : -1;
}

bool DataGridModel::isEditable(int c) const {
    const Column& col = columns_.at(static_cast<std::size_t>(c));
    if (col.def.readOnly || !cursor_.isOpen()) return false;
    switch (col.field->kind()) {
    case FieldKind::Stored:
        return !col.field->readOnly();
    case FieldKind::Lookup:
        return true; // its key fields decide when a value is chosen
    case FieldKind::Calculated:
        break;
    }
    return false;
}

int DataGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rowCount_;
}

int DataGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant DataGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount_ || index.column() >= columnCount()) return {};
    const Column& col = columns_[static_cast<std::size_t>(index.column())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        // The editor gets the plain text, without the display format.
        if (role == Qt::EditRole && index.row() == currentRow() && !cursor_.controlsDisabled())
            return editedText(*col.field);
        const auto* values = rowAt(index.row());
        if (!values || col.position >= values->size()) return QString();
        return shownValue(*col.field, (*values)[col.position]);
    }
    case Qt::TextAlignmentRole: {
        const Qt::Alignment horizontal = col.def.alignment & Qt::AlignHorizontal_Mask;
        if (horizontal) return QVariant::fromValue(horizontal | Qt::AlignVCenter);
        return QVariant::fromValue((isNumber(col.field->type()) ? Qt::AlignRight : Qt::AlignLeft) |
                                   Qt::AlignVCenter);
    }
    case Qt::BackgroundRole:
        return col.def.background.isValid() ? QVariant(QBrush(col.def.background)) : QVariant();
    case Qt::ForegroundRole:
        return col.def.textColor.isValid() ? QVariant(QBrush(col.def.textColor)) : QVariant();
    case Qt::FontRole:
        return col.def.font ? QVariant(*col.def.font) : QVariant();
    default:
        return {};
    }
}

QVariant DataGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section == currentRow()) return marker(cursor_.state());
        return {};
    }
    if (section < 0 || section >= columnCount()) return {};
    const DataColumn& def = column(section);
    if (role == Qt::DisplayRole)
        return def.title.isEmpty() ? fromUtf8(columnField(section).label()) : def.title;
    if (role == Qt::BackgroundRole && def.titleBackground.isValid()) return QBrush(def.titleBackground);
    if (role == Qt::TextAlignmentRole && def.titleAlignment) return QVariant::fromValue(def.titleAlignment);
    return {};
}

bool DataGridModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return false;
    if (role != Qt::EditRole && role != Qt::DisplayRole) return false;
    columns_[static_cast<std::size_t>(section)].def.title = value.toString();
    // The field's refusals name the column as the user sees it.
    if (!value.toString().isEmpty()) columnField(section).setLabel(value.toString().toStdString());
    emit headerDataChanged(Qt::Horizontal, section, section);
    return true;
}

Qt::ItemFlags DataGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (isEditable(index.column())) f |= Qt::ItemIsEditable;
    return f;
}

bool DataGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !isEditable(index.column())) return false;
    if (index.row() != currentRow()) return false;
    dataset::Field& f = *columns_[static_cast<std::size_t>(index.column())].field;
    const QString text = value.toString();
    bool unchanged = false;
    const bool done = ErrorBoundary::run([&] {
        // An editor closed without a change leaves the record as it was.
        unchanged = editedText(f) == text;
        if (unchanged) return;
        if (!editing(cursor_)) cursor_.edit();
        f.setValue(typedValue(f, text));
    });
    lastSetRefused_ = !done;
    if (!done) {
        cache_.erase(index.row());
        emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    }
    return done;
}

const std::vector<dataset::Value>* DataGridModel::rowAt(int row) const {
    if (auto it = cache_.find(row); it != cache_.end()) return &it->second;
    if (cursor_.controlsDisabled() || !cursor_.isOpen()) return nullptr;
    std::vector<dataset::Value> values;
    try {
        const bool inserting = cursor_.state() == CursorState::Insert;
        const auto at = static_cast<int>(cursor_.currentIndex());
        if (inserting && row == at) {
            for (std::size_t i = 0; i < cursor_.fieldCount(); ++i)
                values.push_back(cursor_.fieldAt(i).value());
        } else {
            values = cursor_.rowValues(static_cast<std::size_t>(inserting && row > at ? row - 1 : row));
        }
    } catch (...) {
        values.clear();
        reportLater(std::current_exception());
    }
    return &(cache_[row] = std::move(values));
}

void DataGridModel::reportLater(std::exception_ptr error) const {
    // Painting cannot show a dialog; the first failure since the last refresh is shown afterwards.
    if (std::exchange(reported_, true)) return;
    QMetaObject::invokeMethod(
        const_cast<DataGridModel*>(this),
        [error] { ErrorBoundary::run([&] { std::rethrow_exception(error); }); }, Qt::QueuedConnection);
}

void DataGridModel::refresh() {
    if (refreshing_) return;
    refreshing_ = true;
    cache_.clear();
    reported_ = false;
    int n = 0;
    try {
        if (cursor_.isOpen())
            n = static_cast<int>(cursor_.recordCount()) + (cursor_.state() == CursorState::Insert ? 1 : 0);
    } catch (...) {
        reportLater(std::current_exception());
    }
    // Rows come and go at the end, so the header keeps its column widths and the view its place.
    if (n > rowCount_) {
        beginInsertRows({}, rowCount_, n - 1);
        rowCount_ = n;
        endInsertRows();
    } else if (n < rowCount_) {
        beginRemoveRows({}, n, rowCount_ - 1);
        rowCount_ = n;
        endRemoveRows();
    }
    if (n > 0) {
        emit dataChanged(index(0, 0), index(n - 1, columnCount() - 1));
        emit headerDataChanged(Qt::Vertical, 0, n - 1);
    }
    refreshing_ = false;
    emit cursorMoved();
}

void DataGridModel::cursorScrolled(dataset::Cursor&) {
    if (rowCount_ > 0) emit headerDataChanged(Qt::Vertical, 0, rowCount_ - 1);
    emit cursorMoved();
}

void DataGridModel::cursorDataChanged(dataset::Cursor&) {
    refresh();
}

void DataGridModel::cursorRecordChanged(dataset::Cursor&, const dataset::Field&) {
    const int row = currentRow();
    if (row < 0) return;
    cache_.erase(row);
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void DataGridModel::cursorStateChanged(dataset::Cursor&) {
    refresh();
}

void DataGridModel::cursorFieldFocused(dataset::Cursor&, const dataset::Field& field) {
    for (std::size_t c = 0; c < columns_.size(); ++c)
        if (columns_[c].field == &field) {
            emit fieldFocused(static_cast<int>(c));
            return;
        }
}

} // namespace rectix::ui
