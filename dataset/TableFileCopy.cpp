// TableSet::copyTableFileTo: a table file copied between the folders of two sets.
#include "dataset/Errors.h"
#include "dataset/PartFile.h"
#include "dataset/TableSet.h"

#include <sqlite3.h>

namespace rectix::dataset {

namespace {

// Copies schema `schema` of `src` into the new file `part` with the backup API.
void backupInto(sqlite3* src, const std::string& schema, const std::filesystem::path& part,
                const std::string& where) {
    Connection dest(part.string(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, where);
    sqlite3_backup* b = sqlite3_backup_init(dest.handle(), "main", src, schema.c_str());
    if (!b) throwSqliteError(dest.handle(), sqlite3_errcode(dest.handle()), where);
    int rc;
    do rc = sqlite3_backup_step(b, -1);
    while (rc == SQLITE_OK);
    const int finish = sqlite3_backup_finish(b);
    if (rc != SQLITE_DONE) throwSqliteError(nullptr, rc, where);
    if (finish != SQLITE_OK) throwSqliteError(dest.handle(), finish, where);
    {
        // The copy of a damaged file must not replace a sound one.
        Statement check(dest.handle(), "PRAGMA quick_check");
        while (check.step(where)) {
            const Value v = check.column(0, FieldType::String);
            if (v.isNull() || v.text() != "ok")
                throw DatabaseError(where + ": the copy is damaged (" + (v.isNull() ? "" : v.text()) + ")");
        }
    }
    dest.close();
}

} // namespace

void TableSet::copyTableFileTo(std::string_view table, const TableSet& target) {
    const std::size_t t = tableIndex(table);
    const std::size_t tt = target.tableIndex(table);
    const auto source = tableFile(t);
    const auto dest = target.tableFile(tt);
    const std::string where = "Copying " + source.string() + " to " + dest.string();
    if (target.isOpen()) throw DatabaseError(where + ": the target table set is open");
    if (std::filesystem::weakly_canonical(source) == std::filesystem::weakly_canonical(dest))
        throw DatabaseError(where + ": source and target are the same file");
    std::error_code ec;
    if (!std::filesystem::is_directory(dest.parent_path(), ec))
        throw DatabaseError(where + ": the folder " + dest.parent_path().string() + " does not exist");

    try {
        PartFile part(dest);
        if (isOpen()) {
            // The open set holds the file exclusively: read it through its own connection.
            if (!sqlite3_get_autocommit(conn_.handle()))
                throw DatabaseError(where + ": not while a transaction is open");
            backupInto(conn_.handle(), tables_[t].schemaName, part.path(), where);
        } else {
            if (!std::filesystem::is_regular_file(source, ec))
                throw DatabaseError(where + ": the source file is missing");
            Connection src(source.string(), SQLITE_OPEN_READONLY, where);
            backupInto(src.handle(), "main", part.path(), where);
            src.close();
        }
        // Hold the old target while it is replaced: a program using it makes
        // this a BusyError, and a journal it left behind is rolled back first.
        // A target that is no database at all is simply replaced.
        Connection guard;
        if (std::filesystem::exists(dest, ec)) {
            try {
                guard = Connection(dest.string(), SQLITE_OPEN_READWRITE, where);
                guard.exec("PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT", where);
            } catch (const BusyError&) {
                throw;
            } catch (const DatabaseError&) {
                guard = Connection();
            }
        }
        part.commit();
    } catch (const core::FileWriteError& e) {
        throw DatabaseError(where + ": " + e.cause());
    }
}

} // namespace rectix::dataset
