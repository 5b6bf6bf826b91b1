#pragma once

#include "dataset/Field.h"
#include "dataset/TableDef.h"
#include "dataset/Value.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rectix::dataset {

class CursorObserver;
class Statement;
class TableSet;
struct TableChange;

enum class CursorState { Inactive, Browse, Edit, Insert };

// A remembered row of a cursor (Cursor::bookmark).
struct Bookmark {
    std::int64_t rowid = 0;
    bool valid = false;
};

// A data-aware cursor over one table of a set: an ordered view of the table's
// rows (all of them, or those of the master's current row), one current row,
// and an edit buffer.
//
// Seeing other cursors' changes. All cursors of a set share its connection.
// A cursor reads the table as it is at each move, locate, find, count or
// refresh: rows that another cursor posted or deleted are seen then. The
// current row's values (with its lookup and calculated fields) are those read
// when the cursor came to the row, until it moves or is refreshed. Views hear
// of this cursor's own changes; after changes made through another cursor a
// Refresh tells them. When the row a cursor stood on is gone, it stands on the
// row that followed it (the new last row with Eof true when none did), as after
// its own Delete, and on the first row when it showed none; coming to another
// row so, a browsing cursor tells its details, views and AfterScroll as a move
// does, once, also when the call that read the table then moves it. Delete
// and Edit refuse with a DatabaseError when another cursor deleted the row it
// showed; the cursor then stands where the catch-up put it.
//
// Positions. First stands on the first row with Bof true; Last on the last
// row with Eof true. Next on the last row sets Eof and stays; Prior on the
// first sets Bof and stays; a move that does not move fires no AfterScroll.
// After Delete the cursor stands on the row that followed the deleted one;
// when the deleted row was the last, on the new last row with Eof true, so a
// forward scan that deletes rows meets no row twice.
//
// Editing: a move, Insert, Append, Refresh or the master's moving posts a
// modified record and drops an unmodified one; Close drops pending changes.
// Edit on an empty cursor inserts. Values set while OnNewRecord runs do not
// make the record modified. A posted row takes its place in the cursor's order
// and stays current.
//
// Events fire in this order:
//   Insert/Append: BeforeInsert, (master key set) OnNewRecord, AfterInsert, AfterScroll
//   Edit:          BeforeEdit
//   Post:          BeforePost, (required fields, constraints, write) AfterPost
//   Delete:        BeforeDelete, (delete) AfterDelete, AfterScroll
//   Open:          AfterOpen, then AfterScroll when there is a row
//   First, Last, Locate, FindFirst/FindNext (when found), GotoBookmark and a
//   moving Next/Prior/MoveBy: AfterScroll.
// A Before handler (and OnNewRecord, OnValidate) refuses by throwing
// core::SilentAbort; the cursor and its record are then exactly as before the
// call, and the exception reaches the caller.
//
// Master-detail: a detail shows the rows whose link fields equal the master's
// current row's fields. Whenever the master's current row or its link values
// change (scroll, insert, post, cancel, delete, open, an assignment to a link
// field), the detail posts its own pending record, reads its rows again,
// stands on its first row and fires AfterScroll, before the master's own After
// event. A new detail row gets the master's link values before OnNewRecord.
// While the master is closed (or has no row) the detail shows no rows; a
// closing master drops the detail's pending record. Disabling a master's
// controls does not stop its details from following.
//
// Calculated fields: OnCalcFields runs whenever a row is read (moves, refresh,
// lookups of other cursors, finds, rowValues) with that row's lookups already
// resolved. With automatic calculation on (the default) it also runs after
// every assignment in edit or insert state; switched off, only on reading.
// OnCalcFields must not move its own cursor. Lookup fields are resolved on
// reading and after every assignment; they are null while the source cursor
// is closed, and read the source's table directly (not limited by the source's
// own master).
class Cursor {
  public:
    using Handler = std::function<void(Cursor&)>;
    using Predicate = std::function<bool(const Cursor&)>;

    struct Events {
        Handler beforeInsert, onNewRecord, afterInsert;
        Handler beforeEdit;
        Handler beforePost, afterPost;
        Handler beforeDelete, afterDelete;
        Handler afterOpen, afterScroll;
        Handler onCalcFields;
    };
    Events events;

    // A cursor over `table` of `set` with a field for every stored column, or
    // only for the stored columns named in `fields`, in that order.
    Cursor(TableSet& set, std::string_view table, std::vector<std::string> fields = {});
    ~Cursor();
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    // Set-up, while closed. The default order is the primary key.
    void orderByIndex(std::string_view index);
    void orderByFields(std::vector<std::string> fields);
    // `detailFields` (columns of this table) default to the master's field names.
    void setMaster(Cursor& master, std::vector<std::string> masterFields,
                   std::vector<std::string> detailFields = {});
    Field& addCalcField(std::string name, FieldType type, int size = 0);
    Field& addLookupField(LookupDef def);

    TableSet& tableSet() const { return set_; }
    const TableDef& tableDef() const;

    std::size_t fieldCount() const { return fields_.size(); }
    Field& fieldAt(std::size_t i) { return *fields_.at(i); }
    const Field& fieldAt(std::size_t i) const { return *fields_.at(i); }
    // Names compare without regard to case; an unknown name is a DatabaseError.
    Field& field(std::string_view name);
    const Field& field(std::string_view name) const;
    Field* findField(std::string_view name) const;

    // The set must be open.
    void open();
    void close();
    bool isOpen() const { return state_ != CursorState::Inactive; }
    CursorState state() const { return state_; }

    void first();
    void next();
    void prior();
    void last();
    // Moves `distance` rows at once (one AfterScroll), stopping at the ends
    // with Eof or Bof set; a data-aware grid moves to a clicked row by it.
    void moveBy(std::ptrdiff_t distance);
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    bool isEmpty();
    std::size_t recordCount();
    // Index of the current row in the view; in insert state the index at
    // which the new row shows (the rows from there on show one lower).
    std::size_t currentIndex() const;

    // Moves to the first row, in the cursor's order, whose fields equal the
    // values; false (and no move) when there is none.
    bool locate(std::string_view field, std::int64_t value);
    bool locate(std::string_view field1, std::int64_t value1, std::string_view field2, std::int64_t value2);

    // The rowid of the first row of the table, in the cursor's order, whose
    // fields equal the values: read from the table itself (through its indexes),
    // whatever rows this cursor shows; nothing moves and no event fires.
    std::optional<std::int64_t> findRowid(const std::vector<std::string>& fields,
                                          const std::vector<Value>& values);
    // One stored field's values over the cursor's rows, in its order, as the table
    // holds them now; nothing moves and no lookup or calculation runs.
    std::vector<Value> columnValues(std::string_view field);

    // The filter steers findFirst / findNext only; it hides no row. It reads
    // the candidate row through the cursor's fields.
    void setFilter(Predicate filter) { filter_ = std::move(filter); }
    bool findFirst();
    bool findNext();

    // Reads the rows and the current row's values again and tells the views.
    void refresh();

    // An invalid bookmark when there is no current row (or in insert state).
    Bookmark bookmark() const;
    // A DatabaseError when the row is no longer in the cursor.
    void gotoBookmark(const Bookmark& b);
    void freeBookmark(Bookmark& b) { b = Bookmark{}; }
    bool bookmarkValid(const Bookmark& b);

    void edit();
    void insert();
    void append();
    void post();
    void cancel();
    void deleteRow();
    bool modified() const { return modified_; }
    // The value the current row holds in the table as last read, whatever its pending edit
    // holds; null in insert state or without a row.
    Value storedValue(std::string_view field) const;

    void setAutoCalcFields(bool on) { autoCalc_ = on; }
    bool autoCalcFields() const { return autoCalc_; }

    // Views; an observer must be removed before it goes.
    void addObserver(CursorObserver* o);
    void removeObserver(CursorObserver* o);
    // Nest; views hear nothing until the last enableControls.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return disabled_ > 0; }

    // Values of every field (in field order) of row `index` of the view, its
    // lookup and calculated fields included, without moving or firing events.
    // The current row in edit state gives the edit buffer. The rows are those
    // the cursor read last (it does not read the table again here), so a view
    // sees the rows it was last told of.
    std::vector<Value> rowValues(std::size_t index);

  private:
    friend class Field;

    struct Row {
        std::int64_t rowid = 0;
        std::vector<Value> values; // every column of the table
    };
    struct Record {
        std::int64_t rowid = 0;
        std::vector<Value> stored;
        std::vector<Value> derived; // lookup and calculated fields
    };
    // Makes `r` the record that fields read (and calculated fields write) for
    // a scope.
    class ActiveRecord {
      public:
        ActiveRecord(Cursor& c, Record& r) : c_(c), saved_(c.active_) { c.active_ = &r; }
        ~ActiveRecord() { c_.active_ = saved_; }
        ActiveRecord(const ActiveRecord&) = delete;
        ActiveRecord& operator=(const ActiveRecord&) = delete;

      private:
        Cursor& c_;
        Record* saved_;
    };

    // Cursor.cpp: set-up, navigation, views.
    void requireOpen(std::string_view what) const;
    void requireClosed(std::string_view what) const;
    std::size_t column(std::string_view name) const;
    std::vector<std::size_t> columns(const std::vector<std::string>& names) const;
    void moveTo(std::size_t index, bool bof, bool eof);
    bool locateValues(const std::vector<std::size_t>& cols, const std::vector<Value>& values);
    bool findFrom(std::size_t start);
    void fire(const Handler& h);
    void notifyScrolled();
    void notifyData();
    void notifyState();
    void notifyRecord(const Field& f);
    void notifyFocus(const Field& f);

    // CursorRows.cpp: reading rows, lookups, calculated fields, details.
    enum class Synced { Nothing, Rows, AnotherRow };
    void buildSql();
    Row readRow(const Statement& s) const;
    void rebuildRows();
    // Brings the rows up to date with the table (all read again with `force`); false when they
    // were. A browsing cursor that comes to stand on another row tells its details and
    // AfterScroll as a move does.
    bool syncRows(bool force = false);
    // The same for a caller that may move next: it tells of AnotherRow itself, by its move or
    // by cameToAnotherRow where it does not move.
    Synced readChanges(bool force);
    void standAfter(const Row* was);
    void cameToAnotherRow();
    bool catchUp();
    void applyChange(const TableChange& c);
    bool rowLess(const Row& a, const Row& b) const;
    bool fitsAt(std::size_t at, const Row& row) const;
    std::size_t sortedPosition(const Row& r) const;
    std::size_t indexOfRowid(std::int64_t rowid) const;
    bool matchesLink(const Row& r) const;
    Record blankRecord() const;
    void loadCurrent();
    void computeDerived(Record& r);
    void resolveLookups(Record& r);
    bool findSourceRecord(const std::vector<std::size_t>& cols, const std::vector<Value>& keys, Record& out);
    const std::string& keySql(const std::vector<std::size_t>& cols, bool rowidOnly);
    const Value& valueIn(const Record& r, const Field& f) const;
    const Value& valueOf(const Field& f) const { return valueIn(*active_, f); }
    std::vector<Value> masterValues() const;
    void settleDetails();
    void settle();
    void syncDetails(bool force);
    void followMaster(bool force);
    void emptyForClosedMaster();

    // CursorEditing.cpp: edit buffer, posting, deleting, assignments.
    void beginInsert(bool append);
    void assign(Field& f, const Value& raw);
    void assignStored(Field* f, std::size_t col, const Value& v);
    void chooseLookup(Field& f, const Value& raw);
    void afterValueChange(const Field* f, std::size_t col);
    void checkRecord();
    // A DatabaseError naming `doing` when the row of `rowid` is no longer among the rows.
    void requireStill(std::int64_t rowid, const std::string& doing) const;
    void writeRow(Row& row, std::vector<Value> before);

    TableSet& set_;
    std::size_t table_;
    std::vector<std::unique_ptr<Field>> fields_;
    std::vector<Field*> columnFields_; // per table column; null when not declared
    std::size_t derivedCount_ = 0;

    std::vector<std::size_t> orderCols_;
    Cursor* master_ = nullptr;
    std::vector<const Field*> masterFields_;
    std::vector<std::size_t> linkCols_;
    std::vector<Cursor*> details_;

    std::string selectSql_, insertSql_, updateSql_, deleteSql_;
    std::vector<std::pair<std::vector<std::size_t>, std::string>> keySql_; // by the key columns
    std::vector<Row> rows_;
    std::uint64_t seen_ = 0;
    std::vector<Value> linkValues_;
    std::size_t pos_ = 0;
    bool bof_ = true;
    bool eof_ = true;

    CursorState state_ = CursorState::Inactive;
    std::size_t insertAt_ = 0;
    bool modified_ = false;
    bool newRecordPhase_ = false;
    std::uint64_t generation_ = 0; // counts records loaded into cur_
    Record cur_;
    Record* active_ = &cur_; // the record fields read: cur_, or a row being calculated
    bool calculating_ = false;
    bool autoCalc_ = true;

    int disabled_ = 0;
    CursorState stateAtDisable_ = CursorState::Inactive;
    std::vector<CursorObserver*> observers_;
    Predicate filter_;
};

} // namespace rectix::dataset
