#include "dataset/Connection.h"

#include "dataset/Errors.h"

#include <sqlite3.h>

#include <utility>

namespace rectix::dataset {

void throwSqliteError(sqlite3* db, int rc, std::string_view context) {
    std::string msg(context);
    msg += ": ";
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw BusyError(msg + "busy, in use by another program");
    case SQLITE_CONSTRAINT:
        if (rc == SQLITE_CONSTRAINT_PRIMARYKEY || rc == SQLITE_CONSTRAINT_UNIQUE)
            throw KeyViolation(msg + "key violation");
        break;
    default:
        break;
    }
    msg += db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    throw DatabaseError(msg);
}

Connection::Connection(const std::string& file, int flags, std::string_view context) {
    const int rc = sqlite3_open_v2(file.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const std::string msg = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        if ((rc & 0xff) == SQLITE_BUSY)
            throw BusyError(std::string(context) + ": busy, in use by another program");
        throw DatabaseError(std::string(context) + ": " + msg);
    }
    sqlite3_extended_result_codes(db_, 1);
    // A table held by another program is refused at once, never waited for.
    sqlite3_busy_timeout(db_, 0);
}

Connection::~Connection() {
    // Statements are finalized by their owners first; close_v2 still frees
    // everything should one remain.
    if (db_) sqlite3_close_v2(db_);
}

Connection::Connection(Connection&& o) noexcept : db_(std::exchange(o.db_, nullptr)) {}

Connection& Connection::operator=(Connection&& o) noexcept {
    if (this != &o) {
        if (db_) sqlite3_close_v2(db_);
        db_ = std::exchange(o.db_, nullptr);
    }
    return *this;
}

void Connection::exec(const std::string& sql, std::string_view context) {
    char* err = nullptr;
    const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &err);
    sqlite3_free(err);
    if (rc != SQLITE_OK) throwSqliteError(db_, rc, context);
}

void Connection::close() {
    if (!db_) return;
    const int rc = sqlite3_close(db_);
    if (rc != SQLITE_OK)
        throw DatabaseError(std::string("Closing a database connection: ") + sqlite3_errmsg(db_));
    db_ = nullptr;
}

} // namespace rectix::dataset
