#pragma once

#include <string>
#include <string_view>

struct sqlite3;

namespace rectix::dataset {

// One SQLite connection, closed when the object goes. Every call is checked:
// a failure throws (BusyError, KeyViolation or DatabaseError) with `context`
// in front of SQLite's message.
class Connection {
  public:
    Connection() = default;
    // flags: SQLite open flags; a missing file is an error unless they ask to create it.
    Connection(const std::string& file, int flags, std::string_view context);
    ~Connection();
    Connection(Connection&& o) noexcept;
    Connection& operator=(Connection&& o) noexcept;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const { return db_; }
    bool isOpen() const { return db_ != nullptr; }
    void exec(const std::string& sql, std::string_view context);
    // Closing can fail (a statement still open); then it throws and stays open.
    void close();

  private:
    sqlite3* db_ = nullptr;
};

// Turns a failed SQLite result code into this layer's exception.
[[noreturn]] void throwSqliteError(sqlite3* db, int rc, std::string_view context);

} // namespace rectix::dataset
