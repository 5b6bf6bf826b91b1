// Cursor: reading rows, the current record, lookup and calculated fields,
// following the master.
#include "dataset/Cursor.h"

#include "dataset/Errors.h"
#include "dataset/Statement.h"
#include "dataset/TableSet.h"

#include <algorithm>

namespace rectix::dataset {

namespace {

std::string orderClause(const TableDef& def, const std::vector<std::size_t>& cols) {
    std::string s = " ORDER BY ";
    for (std::size_t c : cols) s += sqlName(def.fields[c].name) + ", ";
    return s + "rowid";
}

std::string whereClause(const TableDef& def, const std::vector<std::size_t>& cols) {
    std::string s;
    for (std::size_t i = 0; i < cols.size(); ++i)
        s += (i == 0 ? " WHERE " : " AND ") + sqlName(def.fields[cols[i]].name) + " = ?";
    return s;
}

} // namespace

void Cursor::buildSql() {
    const auto& def = tableDef();
    const std::string table = set_.qualifiedName(table_);
    std::string cols;
    std::string marks;
    std::string sets;
    for (std::size_t i = 0; i < def.fields.size(); ++i) {
        const std::string sep = i == 0 ? "" : ", ";
        cols += sep + sqlName(def.fields[i].name);
        marks += sep + "?";
        sets += sep + sqlName(def.fields[i].name) + " = ?";
    }
    selectSql_ = "SELECT rowid, " + cols + " FROM " + table + (master_ ? whereClause(def, linkCols_) : "") +
                 orderClause(def, orderCols_);
    insertSql_ = "INSERT INTO " + table + " (" + cols + ") VALUES (" + marks + ")";
    updateSql_ = "UPDATE " + table + " SET " + sets + " WHERE rowid = ?";
    deleteSql_ = "DELETE FROM " + table + " WHERE rowid = ?";
    keySql_.clear();
}

Cursor::Row Cursor::readRow(const Statement& s) const {
    const auto& def = tableDef();
    Row r;
    r.rowid = s.integer(0);
    r.values.reserve(def.fields.size());
    for (std::size_t i = 0; i < def.fields.size(); ++i)
        r.values.push_back(s.column(static_cast<int>(i + 1), def.fields[i].type));
    return r;
}

void Cursor::rebuildRows() {
    rows_.clear();
    const std::uint64_t version = set_.version(table_);
    if (master_ &&
        std::any_of(linkValues_.begin(), linkValues_.end(), [](const Value& v) { return v.isNull(); })) {
        seen_ = version;
        return;
    }
    try {
        Statement& s = set_.statement(selectSql_);
        Statement::Use use(s);
        for (std::size_t i = 0; i < linkValues_.size(); ++i) s.bind(static_cast<int>(i), linkValues_[i]);
        const std::string where = "Reading table '" + tableDef().name + "'";
        while (s.step(where)) rows_.push_back(readRow(s));
    } catch (...) {
        rows_.clear();
        seen_ = 0;
        throw;
    }
    seen_ = version;
}

bool Cursor::syncRows(bool force) {
    const Synced synced = readChanges(force);
    if (synced == Synced::AnotherRow) cameToAnotherRow();
    return synced != Synced::Nothing;
}

Cursor::Synced Cursor::readChanges(bool force) {
    if (!force && seen_ == set_.version(table_)) return Synced::Nothing;
    const bool stood = pos_ < rows_.size();
    const Row was = stood ? rows_[pos_] : Row{};
    if (force || !catchUp()) rebuildRows();
    standAfter(stood ? &was : nullptr);
    insertAt_ = std::min(insertAt_, rows_.size());
    // An edit buffer survives; only a browsing cursor shows the row anew.
    const bool browsing = state_ == CursorState::Browse;
    if (browsing) loadCurrent();
    notifyData();
    const bool another = rows_.empty() ? stood : !stood || rows_[pos_].rowid != was.rowid;
    return browsing && another ? Synced::AnotherRow : Synced::Rows;
}

// The one place that decides where a cursor stands once its rows were read again or caught up:
// on the row it stood on while it shows it, else on the row that followed it, or the new last row
// with Eof, as after its own Delete; on the first row when it showed none.
void Cursor::standAfter(const Row* was) {
    if (rows_.empty()) {
        pos_ = 0;
        bof_ = eof_ = true;
        return;
    }
    if (!was) {
        pos_ = 0;
        bof_ = true;
        eof_ = false;
        return;
    }
    const std::size_t at = sortedPosition(*was);
    if (at < rows_.size() && rows_[at].rowid == was->rowid) {
        pos_ = at;
    } else if (const std::size_t moved = indexOfRowid(was->rowid); moved < rows_.size()) {
        pos_ = moved; // its values changed
    } else {
        pos_ = std::min(at, rows_.size() - 1);
        bof_ = false;
        eof_ = at == rows_.size();
    }
}

void Cursor::cameToAnotherRow() {
    syncDetails(false);
    fire(events.afterScroll);
}

// Applies the changes written since the rows were read, when the table kept all of them.
bool Cursor::catchUp() {
    const auto& changes = set_.tables_[table_].changes;
    const std::uint64_t version = set_.version(table_);
    const auto start = std::lower_bound(changes.begin(), changes.end(), seen_,
                                        [](const TableChange& c, std::uint64_t v) { return c.from < v; });
    if (start == changes.end() || start->from != seen_ || changes.back().to != version) return false;
    for (auto c = start; c != changes.end(); ++c) applyChange(*c);
    seen_ = version;
    return true;
}

void Cursor::applyChange(const TableChange& c) {
    if (c.kind != TableChange::Kind::Insert) {
        std::size_t at = rows_.size();
        if (!c.before.empty()) {
            const std::size_t p = sortedPosition(Row{c.rowid, c.before});
            if (p < rows_.size() && rows_[p].rowid == c.rowid) at = p;
        }
        if (at == rows_.size())
            for (std::size_t i = 0; i < rows_.size() && at == rows_.size(); ++i)
                if (rows_[i].rowid == c.rowid) at = i;
        if (at < rows_.size() && c.kind == TableChange::Kind::Update) {
            Row row{c.rowid, c.after};
            if (fitsAt(at, row)) {
                rows_[at] = std::move(row);
                return;
            }
        }
        if (at < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(at));
    }
    if (c.kind == TableChange::Kind::Delete) return;
    Row row{c.rowid, c.after};
    if (!matchesLink(row)) return;
    const std::size_t p = sortedPosition(row);
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(p), std::move(row));
}

// Whether `row` belongs to the view and keeps the order standing at `at` in place of the row
// there: a row replaced where it stands spares moving every row behind it.
bool Cursor::fitsAt(std::size_t at, const Row& row) const {
    return matchesLink(row) && (at == 0 || rowLess(rows_[at - 1], row)) &&
           (at + 1 >= rows_.size() || rowLess(row, rows_[at + 1]));
}

bool Cursor::rowLess(const Row& a, const Row& b) const {
    for (std::size_t c : orderCols_)
        if (const int d = Value::compare(a.values[c], b.values[c])) return d < 0;
    return a.rowid < b.rowid;
}

std::size_t Cursor::sortedPosition(const Row& r) const {
    const auto it = std::lower_bound(rows_.begin(), rows_.end(), r,
                                     [this](const Row& a, const Row& b) { return rowLess(a, b); });
    return static_cast<std::size_t>(it - rows_.begin());
}

std::size_t Cursor::indexOfRowid(std::int64_t rowid) const {
    if (pos_ < rows_.size() && rows_[pos_].rowid == rowid) return pos_;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].rowid == rowid) return i;
    return rows_.size();
}

bool Cursor::matchesLink(const Row& r) const {
    if (!master_) return true;
    for (std::size_t i = 0; i < linkCols_.size(); ++i)
        if (i >= linkValues_.size() || linkValues_[i].isNull() || !(r.values[linkCols_[i]] == linkValues_[i]))
            return false;
    return true;
}

Cursor::Record Cursor::blankRecord() const {
    Record r;
    r.stored.assign(tableDef().fields.size(), Value());
    r.derived.assign(derivedCount_, Value());
    return r;
}

void Cursor::loadCurrent() {
    ++generation_;
    if (rows_.empty()) {
        cur_ = blankRecord();
        return;
    }
    cur_.rowid = rows_[pos_].rowid;
    cur_.stored = rows_[pos_].values;
    computeDerived(cur_);
}

void Cursor::computeDerived(Record& r) {
    r.derived.assign(derivedCount_, Value());
    if (derivedCount_ == 0 && !events.onCalcFields) return;
    ActiveRecord active(*this, r);
    resolveLookups(r);
    if (events.onCalcFields) {
        const bool saved = calculating_;
        calculating_ = true;
        try {
            events.onCalcFields(*this);
        } catch (...) {
            calculating_ = saved;
            throw;
        }
        calculating_ = saved;
    }
}

void Cursor::resolveLookups(Record& r) {
    // Fields looking up through the same key share one read of the source row.
    struct Found {
        const Cursor* source;
        const std::vector<std::size_t>* cols;
        std::vector<Value> keys;
        bool found;
        Record record;
    };
    std::vector<Found> found;
    for (const auto& f : fields_) {
        if (f->kind() != FieldKind::Lookup) continue;
        Value& out = r.derived[f->slot()];
        out = Value();
        Cursor& source = *f->lookup_.source;
        if (!source.isOpen()) continue;
        std::vector<Value> keys;
        for (std::size_t c : f->lookupKeyCols_) keys.push_back(r.stored[c]);
        if (std::any_of(keys.begin(), keys.end(), [](const Value& v) { return v.isNull(); })) continue;
        auto it = std::find_if(found.begin(), found.end(), [&](const Found& x) {
            return x.source == &source && *x.cols == f->lookupSourceCols_ && x.keys == keys;
        });
        if (it == found.end()) {
            Found x{&source, &f->lookupSourceCols_, keys, false, {}};
            x.found = source.findSourceRecord(f->lookupSourceCols_, keys, x.record);
            found.push_back(std::move(x));
            it = found.end() - 1;
        }
        if (it->found) out = source.valueIn(it->record, *f->lookupResult_);
    }
}

// The statements that read one row of the table by key are kept per key: a lookup runs for
// every row read.
const std::string& Cursor::keySql(const std::vector<std::size_t>& cols, bool rowidOnly) {
    std::vector<std::size_t> key = cols;
    key.push_back(rowidOnly ? 1 : 0);
    for (const auto& [k, sql] : keySql_)
        if (k == key) return sql;
    const auto& def = tableDef();
    std::string columns = "rowid";
    if (!rowidOnly)
        for (const auto& f : def.fields) columns += ", " + sqlName(f.name);
    keySql_.emplace_back(std::move(key), "SELECT " + columns + " FROM " + set_.qualifiedName(table_) +
                                             whereClause(def, cols) + orderClause(def, orderCols_) +
                                             " LIMIT 1");
    return keySql_.back().second;
}

bool Cursor::findSourceRecord(const std::vector<std::size_t>& cols, const std::vector<Value>& keys,
                              Record& out) {
    const auto& def = tableDef();
    {
        Statement& s = set_.statement(keySql(cols, false));
        Statement::Use use(s);
        for (std::size_t i = 0; i < keys.size(); ++i) s.bind(static_cast<int>(i), keys[i]);
        if (!s.step("Looking up in table '" + def.name + "'")) return false;
        Row row = readRow(s);
        out.rowid = row.rowid;
        out.stored = std::move(row.values);
    }
    // The statement is done before the source's handlers run: they may look up too.
    computeDerived(out);
    return true;
}

std::optional<std::int64_t> Cursor::findRowid(const std::vector<std::string>& fields,
                                              const std::vector<Value>& values) {
    requireOpen("Finding a row");
    if (fields.size() != values.size() || fields.empty())
        throw DatabaseError("Table '" + tableDef().name + "': the fields and values to find do not match");
    Statement& s = set_.statement(keySql(columns(fields), true));
    Statement::Use use(s);
    for (std::size_t i = 0; i < values.size(); ++i) s.bind(static_cast<int>(i), values[i]);
    if (!s.step("Finding a row in table '" + tableDef().name + "'")) return std::nullopt;
    return s.integer(0);
}

std::vector<Value> Cursor::columnValues(std::string_view field) {
    requireOpen("Reading a column");
    const std::size_t col = column(field);
    syncRows();
    std::vector<Value> out;
    out.reserve(rows_.size());
    for (const Row& r : rows_) out.push_back(r.values[col]);
    return out;
}

const Value& Cursor::valueIn(const Record& r, const Field& f) const {
    return f.kind() == FieldKind::Stored ? r.stored[f.slot()] : r.derived[f.slot()];
}

std::vector<Value> Cursor::masterValues() const {
    std::vector<Value> v;
    for (const Field* f : masterFields_) v.push_back(master_->valueIn(master_->cur_, *f));
    return v;
}

void Cursor::settleDetails() {
    for (Cursor* d : details_)
        if (d->isOpen()) d->settle();
}

void Cursor::settle() {
    settleDetails();
    if (state_ == CursorState::Edit || state_ == CursorState::Insert) {
        if (modified_)
            post();
        else
            cancel();
    }
}

void Cursor::syncDetails(bool force) {
    for (Cursor* d : std::vector<Cursor*>(details_))
        if (d->isOpen()) d->followMaster(force);
}

void Cursor::followMaster(bool force) {
    std::vector<Value> values = masterValues();
    if (!force && values == linkValues_) return;
    settle();
    linkValues_ = std::move(values);
    rebuildRows();
    pos_ = 0;
    bof_ = true;
    eof_ = rows_.empty();
    loadCurrent();
    notifyData();
    syncDetails(force);
    fire(events.afterScroll);
}

void Cursor::emptyForClosedMaster() {
    for (Cursor* d : details_) {
        if (!d->isOpen()) continue;
        const bool pending = d->state_ != CursorState::Browse;
        d->state_ = CursorState::Browse;
        d->modified_ = false;
        d->linkValues_.assign(d->linkCols_.size(), Value());
        d->rows_.clear();
        d->seen_ = d->set_.version(d->table_);
        d->pos_ = 0;
        d->bof_ = d->eof_ = true;
        d->loadCurrent();
        if (pending) d->notifyState();
        d->notifyData();
        d->emptyForClosedMaster();
    }
}

} // namespace rectix::dataset
