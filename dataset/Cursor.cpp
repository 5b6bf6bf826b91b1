// Cursor: set-up, opening, navigation, locate and find, bookmarks, views.
#include "dataset/Cursor.h"

#include "dataset/CursorObserver.h"
#include "dataset/Errors.h"
#include "dataset/TableSet.h"

#include <algorithm>

namespace rectix::dataset {

Cursor::Cursor(TableSet& set, std::string_view table, std::vector<std::string> fields)
    : set_(set), table_(set.tableIndex(table)) {
    const auto& def = tableDef();
    columnFields_.assign(def.fields.size(), nullptr);
    if (fields.empty())
        for (const auto& f : def.fields) fields.push_back(f.name);
    for (const auto& name : fields) {
        const std::size_t col = column(name);
        if (columnFields_[col])
            throw DatabaseError("Field '" + name + "' is declared twice on table '" + def.name + "'");
        const auto& fd = def.fields[col];
        fields_.push_back(std::make_unique<Field>(*this, fd.name, fd.type, fd.size, FieldKind::Stored, col));
        columnFields_[col] = fields_.back().get();
    }
    orderCols_ = columns(def.keyFields());
    cur_ = blankRecord();
    set_.attach(this);
}

Cursor::~Cursor() {
    close();
    set_.detach(this);
    if (master_) std::erase(master_->details_, this);
    for (Cursor* d : details_) d->master_ = nullptr;
}

const TableDef& Cursor::tableDef() const {
    return set_.tables_[table_].def;
}

void Cursor::requireOpen(std::string_view what) const {
    if (!isOpen()) throw DatabaseError(std::string(what) + ": table '" + tableDef().name + "' is closed");
}

void Cursor::requireClosed(std::string_view what) const {
    if (isOpen()) throw DatabaseError(std::string(what) + ": table '" + tableDef().name + "' is open");
}

std::size_t Cursor::column(std::string_view name) const {
    if (auto i = tableDef().fieldIndex(name)) return *i;
    throw DatabaseError("Table '" + tableDef().name + "' has no field '" + std::string(name) + "'");
}

std::vector<std::size_t> Cursor::columns(const std::vector<std::string>& names) const {
    std::vector<std::size_t> cols;
    for (const auto& n : names) cols.push_back(column(n));
    return cols;
}

void Cursor::orderByIndex(std::string_view index) {
    requireClosed("Changing the order");
    const IndexDef* ix = tableDef().findIndex(index);
    if (!ix) throw DatabaseError("Table '" + tableDef().name + "' has no index '" + std::string(index) + "'");
    orderCols_ = columns(ix->fields);
}

void Cursor::orderByFields(std::vector<std::string> fields) {
    requireClosed("Changing the order");
    orderCols_ = columns(fields);
}

void Cursor::setMaster(Cursor& master, std::vector<std::string> masterFields,
                       std::vector<std::string> detailFields) {
    requireClosed("Linking to a master");
    if (detailFields.empty()) detailFields = masterFields;
    if (masterFields.empty() || masterFields.size() != detailFields.size())
        throw DatabaseError("Table '" + tableDef().name +
                            "': the master and detail field lists do not match");
    if (&master == this) throw DatabaseError("Table '" + tableDef().name + "' cannot be its own master");
    std::vector<const Field*> mf;
    for (const auto& n : masterFields) mf.push_back(&master.field(n));
    auto cols = columns(detailFields);
    if (master_) std::erase(master_->details_, this);
    master_ = &master;
    masterFields_ = std::move(mf);
    linkCols_ = std::move(cols);
    master.details_.push_back(this);
}

Field& Cursor::addCalcField(std::string name, FieldType type, int size) {
    requireClosed("Adding a field");
    if (findField(name))
        throw DatabaseError("Table '" + tableDef().name + "' has a field '" + name + "' already");
    if (type == FieldType::AutoInc) throw DatabaseError("A calculated field cannot be auto-increment");
    fields_.push_back(
        std::make_unique<Field>(*this, std::move(name), type, size, FieldKind::Calculated, derivedCount_++));
    cur_ = blankRecord();
    return *fields_.back();
}

Field& Cursor::addLookupField(LookupDef def) {
    requireClosed("Adding a field");
    if (findField(def.name))
        throw DatabaseError("Table '" + tableDef().name + "' has a field '" + def.name + "' already");
    auto fail = [&](const std::string& why) {
        throw DatabaseError("Lookup field '" + def.name + "' of table '" + tableDef().name + "': " + why);
    };
    if (!def.source) fail("no source table");
    if (def.keyFields.empty() || def.keyFields.size() != def.sourceKeyFields.size())
        fail("the key field lists do not match");
    std::vector<std::size_t> keyCols;
    for (const auto& k : def.keyFields) {
        const Field* kf = findField(k);
        if (!kf || kf->kind() != FieldKind::Stored) fail("the key field '" + k + "' is not a stored field");
        keyCols.push_back(kf->slot());
    }
    auto sourceCols = def.source->columns(def.sourceKeyFields);
    const Field* result = def.source->findField(def.resultField);
    if (!result) fail("the source has no field '" + def.resultField + "'");
    if (def.type == FieldType::AutoInc) def.type = FieldType::Int32;
    auto f = std::make_unique<Field>(*this, def.name, def.type, def.size, FieldKind::Lookup, derivedCount_++);
    f->lookup_ = std::move(def);
    f->lookupKeyCols_ = std::move(keyCols);
    f->lookupSourceCols_ = std::move(sourceCols);
    f->lookupResult_ = result;
    fields_.push_back(std::move(f));
    cur_ = blankRecord();
    return *fields_.back();
}

Field* Cursor::findField(std::string_view name) const {
    for (const auto& f : fields_)
        if (sameName(f->name(), name)) return f.get();
    return nullptr;
}

Field& Cursor::field(std::string_view name) {
    if (Field* f = findField(name)) return *f;
    throw DatabaseError("Table '" + tableDef().name + "' has no field '" + std::string(name) + "'");
}

const Field& Cursor::field(std::string_view name) const {
    return const_cast<Cursor*>(this)->field(name);
}

void Cursor::open() {
    if (isOpen()) return;
    set_.requireOpen("Opening table '" + tableDef().name + "'");
    buildSql();
    linkValues_ = master_ ? masterValues() : std::vector<Value>{};
    rebuildRows();
    state_ = CursorState::Browse;
    pos_ = 0;
    bof_ = true;
    eof_ = rows_.empty();
    modified_ = false;
    loadCurrent();
    notifyState();
    syncDetails(false);
    fire(events.afterOpen);
    if (!rows_.empty()) fire(events.afterScroll);
}

void Cursor::close() {
    if (!isOpen()) return;
    state_ = CursorState::Inactive;
    rows_.clear();
    pos_ = 0;
    bof_ = eof_ = true;
    modified_ = false;
    ++generation_;
    cur_ = blankRecord();
    notifyState();
    emptyForClosedMaster();
}

void Cursor::moveTo(std::size_t index, bool bof, bool eof) {
    pos_ = rows_.empty() ? 0 : index;
    bof_ = bof;
    eof_ = eof;
    loadCurrent();
    syncDetails(false);
    notifyScrolled();
    fire(events.afterScroll);
}

void Cursor::first() {
    requireOpen("First");
    settle();
    readChanges(false);
    moveTo(0, true, rows_.empty());
}

void Cursor::last() {
    requireOpen("Last");
    settle();
    readChanges(false);
    moveTo(rows_.empty() ? 0 : rows_.size() - 1, rows_.empty(), true);
}

void Cursor::next() {
    moveBy(1);
}

void Cursor::prior() {
    moveBy(-1);
}

void Cursor::moveBy(std::ptrdiff_t distance) {
    requireOpen("Moving");
    settle();
    const bool caughtUpElsewhere = readChanges(false) == Synced::AnotherRow;
    if (rows_.empty()) {
        bof_ = eof_ = true;
        if (caughtUpElsewhere) cameToAnotherRow();
        return;
    }
    const auto last = static_cast<std::ptrdiff_t>(rows_.size()) - 1;
    const std::ptrdiff_t wanted = static_cast<std::ptrdiff_t>(pos_) + distance;
    const std::ptrdiff_t target = std::clamp<std::ptrdiff_t>(wanted, 0, last);
    if (target == static_cast<std::ptrdiff_t>(pos_)) {
        if (distance > 0) eof_ = true;
        if (distance < 0) bof_ = true;
        if (caughtUpElsewhere) cameToAnotherRow();
        return;
    }
    moveTo(static_cast<std::size_t>(target), wanted<0, wanted> last);
}

bool Cursor::isEmpty() {
    if (!isOpen()) return true;
    syncRows();
    return rows_.empty() && state_ != CursorState::Insert;
}

std::size_t Cursor::recordCount() {
    requireOpen("Counting rows");
    syncRows();
    return rows_.size();
}

std::size_t Cursor::currentIndex() const {
    return state_ == CursorState::Insert ? insertAt_ : pos_;
}

bool Cursor::locate(std::string_view field, std::int64_t value) {
    return locateValues({column(field)}, {Value(value)});
}

bool Cursor::locate(std::string_view field1, std::int64_t value1, std::string_view field2,
                    std::int64_t value2) {
    return locateValues({column(field1), column(field2)}, {Value(value1), Value(value2)});
}

bool Cursor::locateValues(const std::vector<std::size_t>& cols, const std::vector<Value>& values) {
    requireOpen("Locate");
    settle();
    const bool caughtUpElsewhere = readChanges(false) == Synced::AnotherRow;
    // When the fields are the leading fields of the order, the matches are
    // together and the first of them is found by halving.
    const std::size_t k = cols.size();
    std::vector<Value> keys;
    if (k <= orderCols_.size()) {
        for (std::size_t i = 0; i < k; ++i) {
            const auto at = std::find(cols.begin(), cols.end(), orderCols_[i]);
            if (at == cols.end()) break;
            keys.push_back(values[static_cast<std::size_t>(at - cols.begin())]);
        }
    }
    std::size_t found = rows_.size();
    if (keys.size() == k) {
        auto less = [&](const Row& r, const std::vector<Value>& key) {
            for (std::size_t i = 0; i < k; ++i)
                if (const int c = Value::compare(r.values[orderCols_[i]], key[i])) return c < 0;
            return false;
        };
        const auto it = std::lower_bound(rows_.begin(), rows_.end(), keys, less);
        if (it != rows_.end() && !less(*it, keys)) {
            bool equal = true;
            for (std::size_t i = 0; i < k; ++i) equal = equal && it->values[orderCols_[i]] == keys[i];
            if (equal) found = static_cast<std::size_t>(it - rows_.begin());
        }
    } else {
        for (std::size_t r = 0; r < rows_.size() && found == rows_.size(); ++r) {
            bool equal = true;
            for (std::size_t i = 0; i < k && equal; ++i) equal = rows_[r].values[cols[i]] == values[i];
            if (equal) found = r;
        }
    }
    if (found == rows_.size()) {
        if (caughtUpElsewhere) cameToAnotherRow();
        return false;
    }
    moveTo(found, false, false);
    return true;
}

bool Cursor::findFirst() {
    requireOpen("Find");
    settle();
    const bool caughtUpElsewhere = readChanges(false) == Synced::AnotherRow;
    const bool found = findFrom(0);
    if (!found && caughtUpElsewhere) cameToAnotherRow();
    return found;
}

bool Cursor::findNext() {
    requireOpen("Find");
    settle();
    const bool caughtUpElsewhere = readChanges(false) == Synced::AnotherRow;
    const bool found = !rows_.empty() && findFrom(pos_ + 1);
    if (!found && caughtUpElsewhere) cameToAnotherRow();
    return found;
}

bool Cursor::findFrom(std::size_t start) {
    if (!filter_) throw DatabaseError("Table '" + tableDef().name + "': no filter to find by");
    for (std::size_t i = start; i < rows_.size(); ++i) {
        Record r{rows_[i].rowid, rows_[i].values, {}};
        computeDerived(r);
        bool hit;
        {
            ActiveRecord a(*this, r);
            hit = filter_(*this);
        }
        if (hit) {
            moveTo(i, false, false);
            return true;
        }
    }
    return false;
}

void Cursor::refresh() {
    requireOpen("Refresh");
    settle();
    syncRows(true);
    syncDetails(false);
}

Bookmark Cursor::bookmark() const {
    if (state_ == CursorState::Inactive || state_ == CursorState::Insert || rows_.empty()) return {};
    return {cur_.rowid, true};
}

void Cursor::gotoBookmark(const Bookmark& b) {
    requireOpen("Going to a bookmark");
    if (!b.valid) throw DatabaseError("Table '" + tableDef().name + "': the bookmark is not valid");
    settle();
    const bool caughtUpElsewhere = readChanges(false) == Synced::AnotherRow;
    const std::size_t i = indexOfRowid(b.rowid);
    if (i == rows_.size()) {
        if (caughtUpElsewhere) cameToAnotherRow();
        throw DatabaseError("Table '" + tableDef().name + "': the bookmarked row is gone");
    }
    moveTo(i, false, false);
}

bool Cursor::bookmarkValid(const Bookmark& b) {
    if (!b.valid || !isOpen()) return false;
    syncRows();
    return indexOfRowid(b.rowid) != rows_.size();
}

std::vector<Value> Cursor::rowValues(std::size_t index) {
    requireOpen("Reading a row");
    if (index >= rows_.size())
        throw DatabaseError("Table '" + tableDef().name + "' has no row " + std::to_string(index));
    std::vector<Value> out;
    out.reserve(fields_.size());
    if (index == pos_ && state_ != CursorState::Insert) {
        for (const auto& f : fields_) out.push_back(valueIn(cur_, *f));
        return out;
    }
    Record r{rows_[index].rowid, rows_[index].values, {}};
    computeDerived(r);
    for (const auto& f : fields_) out.push_back(valueIn(r, *f));
    return out;
}

void Cursor::fire(const Handler& h) {
    if (h) h(*this);
}

void Cursor::addObserver(CursorObserver* o) {
    if (o && std::find(observers_.begin(), observers_.end(), o) == observers_.end()) observers_.push_back(o);
}

void Cursor::removeObserver(CursorObserver* o) {
    std::erase(observers_, o);
}

void Cursor::disableControls() {
    if (disabled_++ == 0) stateAtDisable_ = state_;
}

void Cursor::enableControls() {
    if (disabled_ == 0 || --disabled_ > 0) return;
    if (state_ != stateAtDisable_) notifyState();
    notifyData();
}

void Cursor::notifyScrolled() {
    if (disabled_ > 0) return;
    for (CursorObserver* o : std::vector<CursorObserver*>(observers_)) o->cursorScrolled(*this);
}

void Cursor::notifyData() {
    if (disabled_ > 0) return;
    for (CursorObserver* o : std::vector<CursorObserver*>(observers_)) o->cursorDataChanged(*this);
}

void Cursor::notifyState() {
    if (disabled_ > 0) return;
    for (CursorObserver* o : std::vector<CursorObserver*>(observers_)) o->cursorStateChanged(*this);
}

void Cursor::notifyRecord(const Field& f) {
    if (disabled_ > 0) return;
    for (CursorObserver* o : std::vector<CursorObserver*>(observers_)) o->cursorRecordChanged(*this, f);
}

void Cursor::notifyFocus(const Field& f) {
    if (disabled_ > 0) return;
    for (CursorObserver* o : std::vector<CursorObserver*>(observers_)) o->cursorFieldFocused(*this, f);
}

} // namespace rectix::dataset
