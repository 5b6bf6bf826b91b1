#include "dataset/TableDef.h"

#include "dataset/Errors.h"

#include <algorithm>
#include <cctype>

namespace rectix::dataset {

std::string sqlName(std::string_view name) {
    std::string q = "\"";
    for (char c : name) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::optional<std::size_t> TableDef::fieldIndex(std::string_view field) const {
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (sameName(fields[i].name, field)) return i;
    return std::nullopt;
}

std::vector<std::string> TableDef::keyFields() const {
    if (!primaryKey.empty()) return primaryKey;
    for (const auto& f : fields)
        if (f.type == FieldType::AutoInc) return {f.name};
    return {};
}

const IndexDef* TableDef::findIndex(std::string_view index) const {
    for (const auto& ix : indexes)
        if (sameName(ix.name, index)) return &ix;
    return nullptr;
}

namespace {

bool plainIdentifier(std::string_view s) {
    if (s.empty() || std::isdigit(static_cast<unsigned char>(s[0]))) return false;
    return std::ranges::all_of(
        s, [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
}

} // namespace

void TableDef::validate() const {
    auto fail = [&](const std::string& why) {
        throw DatabaseError("Table definition '" + name + "': " + why);
    };
    if (!plainIdentifier(name)) fail("the table name must be letters, digits and '_'");
    if (std::ranges::any_of(name, [](char c) { return std::isupper(static_cast<unsigned char>(c)); }))
        fail("the table name must be lower case, as its file name is");
    if (sameName(name, "main") || sameName(name, "temp")) fail("the table name is reserved");
    if (fields.empty()) fail("no fields");
    int autoIncs = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto& f = fields[i];
        if (!plainIdentifier(f.name)) fail("field name '" + f.name + "' must be letters, digits and '_'");
        if (fieldIndex(f.name) != i) fail("field '" + f.name + "' appears twice");
        if (f.type == FieldType::String && (f.size < 1 || f.size > 255))
            fail("string field '" + f.name + "' needs a size of 1 to 255");
        if (f.type == FieldType::AutoInc) ++autoIncs;
    }
    if (autoIncs > 1) fail("more than one auto-increment field");
    auto checkFields = [&](const std::vector<std::string>& list, const std::string& what) {
        if (list.empty()) fail(what + " has no fields");
        for (const auto& n : list)
            if (!fieldIndex(n)) fail(what + " names the unknown field '" + n + "'");
    };
    if (!primaryKey.empty()) {
        checkFields(primaryKey, "the primary key");
        for (const auto& n : primaryKey)
            if (fields[*fieldIndex(n)].type == FieldType::AutoInc && primaryKey.size() > 1)
                fail("an auto-increment field must be the whole primary key");
        if (autoIncs == 1 &&
            (primaryKey.size() != 1 || fields[*fieldIndex(primaryKey[0])].type != FieldType::AutoInc))
            fail("a table with an auto-increment field must be keyed by it");
    }
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        if (!plainIdentifier(indexes[i].name)) fail("index name '" + indexes[i].name + "' is not valid");
        checkFields(indexes[i].fields, "index '" + indexes[i].name + "'");
        for (std::size_t j = 0; j < i; ++j)
            if (sameName(indexes[j].name, indexes[i].name))
                fail("index '" + indexes[i].name + "' appears twice");
    }
}

std::string TableDef::declaredType(const FieldDef& f) {
    switch (f.type) {
    case FieldType::AutoInc:
    case FieldType::Int32:
        return "INTEGER";
    case FieldType::Int16:
        return "SMALLINT";
    case FieldType::Double:
        return "DOUBLE";
    case FieldType::Boolean:
        return "BOOLEAN";
    case FieldType::Date:
        return "DATE";
    case FieldType::String:
        return "VARCHAR(" + std::to_string(f.size) + ")";
    }
    return "";
}

std::vector<std::string> TableDef::createStatements() const {
    validate();
    std::string sql = "CREATE TABLE " + sqlName(name) + " (";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) sql += ", ";
        sql += sqlName(fields[i].name) + " " + declaredType(fields[i]);
        if (fields[i].type == FieldType::AutoInc) sql += " PRIMARY KEY AUTOINCREMENT";
    }
    const auto key = keyFields();
    const bool autoKey = key.size() == 1 && fields[*fieldIndex(key[0])].type == FieldType::AutoInc;
    if (!key.empty() && !autoKey) {
        sql += ", PRIMARY KEY (";
        for (std::size_t i = 0; i < key.size(); ++i) sql += (i > 0 ? ", " : "") + sqlName(key[i]);
        sql += ")";
    }
    sql += ")";
    std::vector<std::string> out{sql};
    for (const auto& ix : indexes) {
        std::string s = std::string("CREATE ") + (ix.unique ? "UNIQUE " : "") + "INDEX " + sqlName(ix.name) +
                        " ON " + sqlName(name) + " (";
        for (std::size_t i = 0; i < ix.fields.size(); ++i) s += (i > 0 ? ", " : "") + sqlName(ix.fields[i]);
        out.push_back(s + ")");
    }
    return out;
}

} // namespace rectix::dataset
