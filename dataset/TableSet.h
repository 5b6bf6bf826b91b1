#pragma once

#include "dataset/AliasRegistry.h"
#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "dataset/TableDef.h"
#include "dataset/Value.h"

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace rectix::dataset {

class Cursor;

// One row a cursor wrote: the other cursors over the table bring their rows up
// to date by it instead of reading the whole table again.
struct TableChange {
    enum class Kind { Insert, Update, Delete };
    Kind kind = Kind::Update;
    std::uint64_t from = 0, to = 0; // the table's version before and after
    std::int64_t rowid = 0;
    std::vector<Value> before; // the row as its writer read it; may be empty
    std::vector<Value> after;  // the row as written; empty for a delete
};

// A table set: the folder an alias names, holding one SQLite file per table
// of the schema. Open, it is one connection with every table file attached,
// held exclusively: another program (or another open set of this one) that
// opens the same files is refused with a BusyError at once. A change over
// several tables inside a Transaction is atomic across the files.
//
// Cursors are made on a set and must not outlive it. Closing the set closes
// its cursors; re-pointing it at another alias (closed) re-points them all.
class TableSet {
  public:
    // Throws DatabaseError when a table definition is malformed or the schema is empty.
    TableSet(AliasRegistry aliases, std::string alias, std::vector<TableDef> schema);
    ~TableSet();
    TableSet(const TableSet&) = delete;
    TableSet& operator=(const TableSet&) = delete;

    const std::string& alias() const { return alias_; }
    // Only while closed.
    void setAlias(std::string alias);
    std::filesystem::path folder() const { return aliases_.path(alias_); }
    const std::vector<TableDef>& schema() const;
    const TableDef& table(std::string_view name) const;

    // Opens the connection and takes every table file exclusively. Fails with a
    // DatabaseError naming the folder or file when the folder or a table file is
    // missing, a file is no database or its columns differ from the schema, with
    // a BusyError when another connection holds a file, and with a ReadOnlyError
    // when a file or the folder cannot be written. Nothing is created. Open: no-op.
    // Once open, a super-journal that a killed commit left behind is removed, and so are the
    // side files that killed writers left beside the table files (core/SideFiles.h).
    void open();
    // Closes the set's cursors (pending edits are dropped) and the connection.
    // Refused while a Transaction is open.
    void close();
    bool isOpen() const { return conn_.isOpen(); }

    bool tableFileExists(std::string_view table) const;
    // Makes a new, empty set in the existing folder: every table file of the
    // schema. Refused when any of them exists, so a damaged set is never
    // patched; on a failure the files made so far are removed again.
    void createTableFiles();
    // Writes a new, empty table file with its indexes; the file appears whole or
    // not at all. Refused when the file exists.
    void createTableFile(std::string_view table);
    // Deletes every row of a table of the open set.
    void emptyTable(std::string_view table);
    // Integrity check of one table file: the problems found, none when the file
    // is sound. Works on an open set (through its connection) and on a closed one.
    std::vector<std::string> checkTableFile(std::string_view table);
    // The first stored value of a table that its field cannot hold (a text or an infinity in a
    // number field, an integer past the field's 16 or 32 bits, a fraction in an integer field), as
    // "tc.db, row 3 (TaskID 1, TypeID 2), field Used: 'abc' is no whole number"; empty when every
    // value fits. Rows count from 1 in the order they were stored. Works on an open set and on a
    // closed one.
    std::string badStoredValue(std::string_view table);
    // Copies a table file of this set into the folder of `target`, which must be
    // closed. The copy is written beside the target file, checked, and then
    // replaces it in one rename; on any failure the old target file stays and
    // the error is thrown. A target file held by another program is a BusyError.
    void copyTableFileTo(std::string_view table, const TableSet& target);

  private:
    friend class Cursor;
    friend class Transaction;

    struct Table {
        TableDef def;
        std::string schemaName; // the first table is the connection's main database
        std::uint64_t version = 0;
        // The latest changes, an unbroken chain ending at `version`; a change not
        // written through a cursor empties it.
        std::deque<TableChange> changes;
    };

    std::size_t tableIndex(std::string_view name) const;
    std::string qualifiedName(std::size_t t) const;
    std::filesystem::path tableFile(std::size_t t) const;
    std::string context() const;
    void requireOpen(std::string_view what) const;
    // A prepared statement kept until the set closes.
    Statement& statement(const std::string& sql);
    void verifyLayout(std::size_t t);
    void requireWritable();
    void removeLeftovers();

    // Every change to a table through this layer gives it a new version; a
    // cursor that sees a version it did not make reads its rows again.
    std::uint64_t version(std::size_t t) const { return tables_[t].version; }
    std::uint64_t bump(std::size_t t);
    // Bumps the version and keeps the change for the other cursors.
    std::uint64_t record(std::size_t t, TableChange change);
    void bumpAll();

    void attach(Cursor* c) { cursors_.push_back(c); }
    void detach(Cursor* c);

    AliasRegistry aliases_;
    std::string alias_;
    std::vector<Table> tables_;
    std::vector<TableDef> schema_;
    Connection conn_;
    std::unordered_map<std::string, std::unique_ptr<Statement>> statements_;
    std::vector<Cursor*> cursors_;
    int txDepth_ = 0;
    std::uint64_t versionCounter_ = 0;
};

} // namespace rectix::dataset
