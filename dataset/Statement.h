#pragma once

#include "dataset/TableDef.h"
#include "dataset/Value.h"

#include <cstdint>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace rectix::dataset {

// A prepared SQL statement. Parameters and columns count from 0 here.
class Statement {
  public:
    Statement(sqlite3* db, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int index, const Value& v);
    // True while a row is there; false when done; throws on a failure.
    bool step(std::string_view context);
    // Ready for the next run, bindings cleared; never fails.
    void reset();

    bool isNull(int col) const;
    std::int64_t integer(int col) const;
    // The column read as the stored form of a field of `type`; a value the
    // field's type does not take comes as it is stored (a number or a text).
    Value column(int col, FieldType type) const;
    std::string text(int col) const;
    int changes() const;
    std::int64_t lastInsertRowid() const;

    // Resets the statement on leaving the scope, also after an error, so a
    // statement kept for reuse never stays half-run.
    class Use {
      public:
        explicit Use(Statement& s) : s_(s) {}
        ~Use() { s_.reset(); }
        Use(const Use&) = delete;
        Use& operator=(const Use&) = delete;

      private:
        Statement& s_;
    };

  private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

} // namespace rectix::dataset
