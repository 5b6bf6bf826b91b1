#include "dataset/Statement.h"

#include "dataset/Connection.h"

#include <sqlite3.h>

#include <cmath>

namespace rectix::dataset {

Statement::Statement(sqlite3* db, const std::string& sql) : db_(db) {
    const int rc = sqlite3_prepare_v3(db, sql.c_str(), static_cast<int>(sql.size() + 1),
                                      SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr);
    if (rc != SQLITE_OK) throwSqliteError(db, rc, "Preparing \"" + sql + "\"");
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

void Statement::bind(int index, const Value& v) {
    const int i = index + 1;
    int rc = SQLITE_OK;
    switch (v.kind()) {
    case Value::Kind::Null:
        rc = sqlite3_bind_null(stmt_, i);
        break;
    case Value::Kind::Integer:
        rc = sqlite3_bind_int64(stmt_, i, v.integer());
        break;
    case Value::Kind::Float:
        rc = sqlite3_bind_double(stmt_, i, v.real());
        break;
    case Value::Kind::Boolean:
        rc = sqlite3_bind_int(stmt_, i, v.boolean() ? 1 : 0);
        break;
    case Value::Kind::Text:
        rc =
            sqlite3_bind_text(stmt_, i, v.text().data(), static_cast<int>(v.text().size()), SQLITE_TRANSIENT);
        break;
    case Value::Kind::Date: {
        const std::string s = formatIsoDate(v.date());
        rc = sqlite3_bind_text(stmt_, i, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
        break;
    }
    }
    if (rc != SQLITE_OK) throwSqliteError(db_, rc, "Binding a value");
}

bool Statement::step(std::string_view context) {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    throwSqliteError(db_, rc, context);
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

bool Statement::isNull(int col) const {
    return sqlite3_column_type(stmt_, col) == SQLITE_NULL;
}

std::int64_t Statement::integer(int col) const {
    return sqlite3_column_int64(stmt_, col);
}

int Statement::changes() const {
    return sqlite3_changes(db_);
}

std::int64_t Statement::lastInsertRowid() const {
    return sqlite3_last_insert_rowid(db_);
}

std::string Statement::text(int col) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, col));
    return std::string(p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt_, col)));
}

Value Statement::column(int col, FieldType type) const {
    const int stored = sqlite3_column_type(stmt_, col);
    if (stored == SQLITE_NULL) return {};
    // A number stored in a form its field does not take (2.5 in an integer
    // field, a text in a number field) is read as it is stored, so nothing read
    // is lost and the readers that check can refuse it.
    switch (type) {
    case FieldType::AutoInc:
    case FieldType::Int16:
    case FieldType::Int32:
        if (stored == SQLITE_INTEGER) return sqlite3_column_int64(stmt_, col);
        if (stored == SQLITE_FLOAT) {
            const double d = sqlite3_column_double(stmt_, col);
            if (d == std::trunc(d) && std::fabs(d) < 9e15) return static_cast<std::int64_t>(d);
            return d;
        }
        return text(col);
    case FieldType::Double:
        if (stored == SQLITE_INTEGER || stored == SQLITE_FLOAT) return sqlite3_column_double(stmt_, col);
        return text(col);
    case FieldType::Boolean:
        return sqlite3_column_int64(stmt_, col) != 0;
    case FieldType::Date:
    case FieldType::String: {
        std::string s = text(col);
        if (type == FieldType::Date) {
            // A text that is no date stays text, so nothing read is lost.
            if (auto d = parseIsoDate(s)) return *d;
        }
        return s;
    }
    }
    return {};
}

} // namespace rectix::dataset
