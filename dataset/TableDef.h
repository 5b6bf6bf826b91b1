#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rectix::dataset {

// Stored field types. AutoInc is a 32-bit key numbered by the table and never
// reused; String holds at most FieldDef::size characters.
enum class FieldType { AutoInc, Int16, Int32, Double, Boolean, Date, String };

struct FieldDef {
    std::string name;
    FieldType type = FieldType::Int32;
    int size = 0; // String only: the most characters the field holds
};

struct IndexDef {
    std::string name;
    std::vector<std::string> fields;
    bool unique = false;
};

// The stored layout of one table: its file, its fields in order, its primary
// key and secondary indexes. A table set creates a missing file from it and
// refuses to open a file whose columns differ from it.
struct TableDef {
    std::string name; // lower case; the file is name + ".db"
    std::vector<FieldDef> fields;
    // Empty: the AutoInc field when there is one, else no key (rows keep the
    // order in which they were added).
    std::vector<std::string> primaryKey;
    std::vector<IndexDef> indexes;

    std::string fileName() const { return name + ".db"; }
    // Field names compare without regard to case.
    std::optional<std::size_t> fieldIndex(std::string_view field) const;
    // The key fields in effect (the AutoInc field when primaryKey is empty).
    std::vector<std::string> keyFields() const;
    const IndexDef* findIndex(std::string_view index) const;

    // Throws DatabaseError naming what is wrong with the definition.
    void validate() const;
    // CREATE TABLE and CREATE INDEX statements for an empty file (schema "main").
    std::vector<std::string> createStatements() const;
    // The column type as declared in the file, which the open check compares.
    static std::string declaredType(const FieldDef& f);
};

// A name quoted as an SQL identifier.
std::string sqlName(std::string_view name);
bool sameName(std::string_view a, std::string_view b);

} // namespace rectix::dataset
