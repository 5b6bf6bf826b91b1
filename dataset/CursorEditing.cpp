// Cursor: the edit buffer, assignments, posting, cancelling and deleting.
#include "dataset/Cursor.h"

#include "dataset/Errors.h"
#include "dataset/Statement.h"
#include "dataset/TableSet.h"

#include "core/UiTexts.h"

#include <algorithm>

namespace rectix::dataset {

namespace {

bool editing(CursorState s) {
    return s == CursorState::Edit || s == CursorState::Insert;
}

} // namespace

void Cursor::edit() {
    requireOpen("Edit");
    if (editing(state_)) return;
    // The row the cursor shows, not the one that took its place after another cursor deleted it:
    // a value typed into the row on screen must not land in another.
    const bool showed = pos_ < rows_.size();
    const std::int64_t rowid = cur_.rowid;
    syncRows();
    if (showed) requireStill(rowid, "Editing table '" + tableDef().name + "'");
    if (rows_.empty()) {
        insert();
        return;
    }
    fire(events.beforeEdit);
    state_ = CursorState::Edit;
    modified_ = false;
    notifyState();
}

void Cursor::insert() {
    beginInsert(false);
}

void Cursor::append() {
    beginInsert(true);
}

void Cursor::beginInsert(bool append) {
    requireOpen(append ? "Append" : "Insert");
    settle();
    syncRows();
    fire(events.beforeInsert);
    state_ = CursorState::Insert;
    insertAt_ = append ? rows_.size() : (rows_.empty() ? 0 : pos_);
    modified_ = false;
    ++generation_;
    cur_ = blankRecord();
    newRecordPhase_ = true;
    try {
        if (master_) {
            const std::vector<Value> keys = masterValues();
            for (std::size_t i = 0; i < linkCols_.size(); ++i) {
                Field* f = columnFields_[linkCols_[i]];
                assignStored(f, linkCols_[i], f ? f->convert(keys[i]) : keys[i]);
            }
        }
        fire(events.onNewRecord);
    } catch (...) {
        newRecordPhase_ = false;
        if (editing(state_)) {
            state_ = CursorState::Browse;
            loadCurrent();
        }
        throw;
    }
    newRecordPhase_ = false;
    if (state_ != CursorState::Insert) return; // OnNewRecord ended the record itself
    modified_ = false;
    computeDerived(cur_);
    notifyState();
    notifyData();
    syncDetails(false);
    fire(events.afterInsert);
    fire(events.afterScroll);
}

void Cursor::assign(Field& f, const Value& raw) {
    requireOpen("Setting field '" + f.name() + "'");
    if (f.kind() == FieldKind::Calculated) {
        if (!calculating_ && !editing(state_))
            throw DatabaseError("Table '" + tableDef().name + "' is not in edit or insert mode");
        active_->derived[f.slot()] = f.convert(raw);
        if (!calculating_) notifyRecord(f);
        return;
    }
    if (calculating_)
        throw DatabaseError("Field '" + f.name() + "' cannot be set while calculated fields are computed");
    if (!editing(state_))
        throw DatabaseError("Table '" + tableDef().name + "' is not in edit or insert mode");
    if (f.readOnly()) throw DatabaseError("Field '" + f.name() + "' cannot be modified");
    if (f.kind() == FieldKind::Lookup) {
        chooseLookup(f, raw);
        return;
    }
    assignStored(&f, f.slot(), f.convert(raw));
}

void Cursor::assignStored(Field* f, std::size_t col, const Value& v) {
    const std::uint64_t generation = generation_;
    Value old = cur_.stored[col];
    cur_.stored[col] = v;
    if (f && f->onValidate) {
        try {
            f->onValidate(*f);
        } catch (...) {
            // Unless the handler ended the record itself, the old value is back.
            if (generation == generation_ && editing(state_)) cur_.stored[col] = std::move(old);
            throw;
        }
        if (generation != generation_ || !editing(state_)) return;
    }
    if (!newRecordPhase_) modified_ = true;
    afterValueChange(f, col);
}

void Cursor::afterValueChange(const Field* f, std::size_t) {
    if (derivedCount_ > 0 || events.onCalcFields) {
        if (autoCalc_)
            computeDerived(cur_);
        else {
            ActiveRecord active(*this, cur_);
            resolveLookups(cur_);
        }
    }
    if (f) notifyRecord(*f);
    syncDetails(false);
}

void Cursor::chooseLookup(Field& f, const Value& raw) {
    const std::vector<std::size_t>& keyCols = f.lookupKeyCols_;
    std::vector<Value> keys(keyCols.size());
    const bool empty = raw.isNull() || (raw.kind() == Value::Kind::Text && f.convert(raw).isNull());
    if (!empty) {
        Cursor& source = *f.lookup_.source;
        if (!source.isOpen())
            throw DatabaseError("Field '" + f.name() + "': its lookup table '" + source.tableDef().name +
                                "' is closed");
        const Field& result = *f.lookupResult_;
        if (result.kind() != FieldKind::Stored)
            throw DatabaseError("Field '" + f.name() + "' cannot be chosen by a value that is not stored");
        const Value wanted = result.convert(raw);
        const auto& def = source.tableDef();
        std::string sql = "SELECT ";
        for (std::size_t i = 0; i < f.lookupSourceCols_.size(); ++i)
            sql += (i == 0 ? "" : ", ") + sqlName(def.fields[f.lookupSourceCols_[i]].name);
        sql += " FROM " + source.set_.qualifiedName(source.table_) + " WHERE " +
               sqlName(def.fields[result.slot()].name) + " = ? ORDER BY ";
        for (std::size_t c : source.orderCols_) sql += sqlName(def.fields[c].name) + ", ";
        sql += "rowid LIMIT 1";
        // The statement is done before the key fields' OnValidate runs: it may look up too.
        Statement& s = source.set_.statement(sql);
        Statement::Use use(s);
        s.bind(0, wanted);
        if (!s.step("Looking up in table '" + def.name + "'"))
            throw FieldError(f.name(),
                             core::messageWith(core::Msg::NotAChoice, {f.displayText(wanted), f.label()}));
        for (std::size_t i = 0; i < keyCols.size(); ++i)
            keys[i] = s.column(static_cast<int>(i), def.fields[f.lookupSourceCols_[i]].type);
    }
    for (std::size_t i = 0; i < keyCols.size(); ++i) {
        Field* kf = columnFields_[keyCols[i]];
        assignStored(kf, keyCols[i], kf->convert(keys[i]));
    }
}

void Cursor::checkRecord() {
    for (const auto& f : fields_) {
        if (f->kind() != FieldKind::Stored || f->type() == FieldType::AutoInc) continue;
        if (f->required() && cur_.stored[f->slot()].isNull()) {
            notifyFocus(*f);
            throw FieldError(f->name(), "Field '" + f->name() + "' must have a value");
        }
    }
    for (const auto& f : fields_) {
        if (f->kind() != FieldKind::Stored || f->meetsConstraint(cur_.stored[f->slot()])) continue;
        notifyFocus(*f);
        throw FieldError(f->name(), f->constraintText().empty()
                                        ? "Field '" + f->name() + "' does not meet its constraint"
                                        : f->constraintText());
    }
}

void Cursor::writeRow(Row& row, std::vector<Value> before) {
    const auto& def = tableDef();
    const std::string where = "Posting to table '" + def.name + "'";
    if (state_ == CursorState::Insert) {
        Statement& s = set_.statement(insertSql_);
        Statement::Use use(s);
        for (std::size_t i = 0; i < row.values.size(); ++i) s.bind(static_cast<int>(i), row.values[i]);
        s.step(where);
        row.rowid = s.lastInsertRowid();
        for (std::size_t i = 0; i < def.fields.size(); ++i)
            if (def.fields[i].type == FieldType::AutoInc) row.values[i] = row.rowid;
    } else {
        Statement& s = set_.statement(updateSql_);
        Statement::Use use(s);
        for (std::size_t i = 0; i < row.values.size(); ++i) s.bind(static_cast<int>(i), row.values[i]);
        s.bind(static_cast<int>(row.values.size()), Value(row.rowid));
        s.step(where);
        if (s.changes() == 0) throw DatabaseError(where + ": the row was deleted through another cursor");
    }
    const bool inserted = state_ == CursorState::Insert;
    seen_ = set_.record(table_, {.kind = inserted ? TableChange::Kind::Insert : TableChange::Kind::Update,
                                 .rowid = row.rowid,
                                 .before = std::move(before),
                                 .after = row.values});
}

void Cursor::requireStill(std::int64_t rowid, const std::string& doing) const {
    if (indexOfRowid(rowid) == rows_.size())
        throw DatabaseError(doing + ": the row was deleted through another cursor");
}

void Cursor::post() {
    requireOpen("Post");
    if (!editing(state_)) return;
    fire(events.beforePost);
    if (!editing(state_)) return; // BeforePost ended the record itself
    checkRecord();
    // Bring the rows up to date first, so the posted row can take its place in them.
    syncRows();
    Row row{cur_.rowid, cur_.stored};
    const bool wasEdit = state_ == CursorState::Edit;
    const std::size_t i = wasEdit ? indexOfRowid(row.rowid) : rows_.size();
    writeRow(row, i < rows_.size() ? rows_[i].values : std::vector<Value>{});
    if (i < rows_.size() && fitsAt(i, row)) {
        rows_[i] = std::move(row);
        pos_ = i;
    } else {
        if (i < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(i));
        if (matchesLink(row)) {
            pos_ = sortedPosition(row);
            rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(pos_), std::move(row));
        } else {
            // A row that no longer belongs to the master's row leaves the view.
            pos_ = rows_.empty() ? 0 : std::min(wasEdit ? pos_ : insertAt_, rows_.size() - 1);
        }
    }
    state_ = CursorState::Browse;
    modified_ = false;
    bof_ = eof_ = rows_.empty();
    loadCurrent();
    notifyState();
    notifyData();
    syncDetails(false);
    fire(events.afterPost);
}

Value Cursor::storedValue(std::string_view field) const {
    const std::size_t col = column(field);
    if (state_ == CursorState::Insert || pos_ >= rows_.size()) return {};
    return rows_[pos_].values[col];
}

void Cursor::cancel() {
    if (!editing(state_)) return;
    state_ = CursorState::Browse;
    modified_ = false;
    if (!syncRows()) loadCurrent();
    notifyState();
    notifyData();
    syncDetails(false);
}

void Cursor::deleteRow() {
    requireOpen("Delete");
    if (state_ == CursorState::Insert) {
        cancel();
        return;
    }
    // The row the cursor shows, or none: not the one that took its place after another cursor
    // deleted it.
    const bool showed = pos_ < rows_.size();
    const std::int64_t rowid = cur_.rowid;
    syncRows();
    if (!showed || rows_.empty())
        throw DatabaseError("Cannot delete from the empty table '" + tableDef().name + "'");
    requireStill(rowid, "Deleting from table '" + tableDef().name + "'");
    settleDetails();
    fire(events.beforeDelete);
    if (!isOpen()) return;
    // BeforeDelete may have changed the table through other cursors.
    syncRows();
    std::size_t at = indexOfRowid(rowid);
    if (at < rows_.size()) {
        {
            Statement& s = set_.statement(deleteSql_);
            Statement::Use use(s);
            s.bind(0, Value(rowid));
            s.step("Deleting from table '" + tableDef().name + "'");
        }
        seen_ = set_.record(
            table_,
            {.kind = TableChange::Kind::Delete, .rowid = rowid, .before = rows_[at].values, .after = {}});
        rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(at));
    } else {
        at = pos_; // gone already: the cursor stands where it was
    }
    const bool wasEdit = state_ == CursorState::Edit;
    state_ = CursorState::Browse;
    modified_ = false;
    if (rows_.empty()) {
        pos_ = 0;
        bof_ = eof_ = true;
    } else if (at >= rows_.size()) {
        pos_ = rows_.size() - 1;
        bof_ = false;
        eof_ = true;
    } else {
        pos_ = at;
        bof_ = eof_ = false;
    }
    loadCurrent();
    if (wasEdit) notifyState();
    notifyData();
    syncDetails(false);
    fire(events.afterDelete);
    fire(events.afterScroll);
}

} // namespace rectix::dataset
