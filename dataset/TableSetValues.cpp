#include "dataset/TableSet.h"

#include "core/InputFile.h"

#include "dataset/Errors.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <sstream>

namespace rectix::dataset {

namespace {

std::string shown(const Value& v) {
    switch (v.kind()) {
    case Value::Kind::Integer:
        return std::to_string(v.integer());
    case Value::Kind::Float: {
        std::ostringstream s;
        s.precision(15);
        s << v.real();
        return s.str();
    }
    case Value::Kind::Text:
        return "'" + (v.text().size() > 40 ? v.text().substr(0, 40) + "..." : v.text()) + "'";
    default:
        return {};
    }
}

// Why the field cannot hold the stored value; empty when it can.
std::string misfit(const FieldDef& f, const Value& v) {
    if (v.isNull()) return {};
    switch (f.type) {
    case FieldType::AutoInc:
    case FieldType::Int32:
    case FieldType::Int16: {
        const bool small = f.type == FieldType::Int16;
        const std::string whole =
            small ? "no whole number from -32768 to 32767" : "no whole number from -2147483648 to 2147483647";
        if (v.kind() != Value::Kind::Integer) return whole;
        const std::int64_t i = v.integer();
        return (small ? std::in_range<std::int16_t>(i) : std::in_range<std::int32_t>(i)) ? std::string()
                                                                                         : whole;
    }
    case FieldType::Double:
        return v.kind() == Value::Kind::Float && std::isfinite(v.real()) ? std::string() : "no finite number";
    case FieldType::Boolean:
        return v.kind() == Value::Kind::Integer ? std::string() : "no Boolean";
    case FieldType::Date:
        return v.kind() == Value::Kind::Date ? std::string() : "no date";
    case FieldType::String:
        return {};
    }
    return {};
}

} // namespace

std::string TableSet::badStoredValue(std::string_view table) {
    const std::size_t t = tableIndex(table);
    const TableDef& def = tables_[t].def;
    const std::string where = "Reading " + tableFile(t).string();
    Connection own;
    sqlite3* db = nullptr;
    std::string from;
    if (isOpen()) {
        db = conn_.handle();
        from = qualifiedName(t);
    } else {
        if (const std::string wrong = core::notARegularFile(tableFile(t)); !wrong.empty())
            throw DatabaseError(context() + ": the table file " + tableFile(t).string() + " " + wrong);
        own = Connection(tableFile(t).string(), SQLITE_OPEN_READONLY, where);
        db = own.handle();
        from = sqlName(def.name);
    }
    std::string sql = "SELECT rowid";
    for (const FieldDef& f : def.fields) sql += ", " + sqlName(f.name);
    Statement rows(db, sql + " FROM " + from + " ORDER BY rowid");
    const std::vector<std::string> key = def.keyFields();
    long long row = 0;
    while (rows.step(where)) {
        ++row;
        for (std::size_t i = 0; i < def.fields.size(); ++i) {
            const FieldDef& f = def.fields[i];
            // Booleans are read as the integers they are stored as.
            const FieldType read = f.type == FieldType::Boolean ? FieldType::Int32 : f.type;
            const Value v = rows.column(static_cast<int>(i + 1), read);
            const std::string wrong = misfit(f, v);
            if (wrong.empty()) continue;
            std::string keys;
            for (const std::string& k : key) {
                const std::size_t n = *def.fieldIndex(k);
                keys += (keys.empty() ? " (" : ", ") + k + " " + rows.text(static_cast<int>(n + 1));
            }
            if (!keys.empty()) keys += ")";
            return def.fileName() + ", row " + std::to_string(row) + keys + ", field " + f.name + ": " +
                   shown(v) + " is " + wrong;
        }
    }
    return {};
}

} // namespace rectix::dataset
