#include "dataset/TableSet.h"

#include "core/InputFile.h"
#include "core/SideFiles.h"

#include "dataset/Cursor.h"
#include "dataset/Errors.h"
#include "dataset/PartFile.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>

namespace rectix::dataset {

TableSet::TableSet(AliasRegistry aliases, std::string alias, std::vector<TableDef> schema)
    : aliases_(std::move(aliases)), alias_(std::move(alias)), schema_(std::move(schema)) {
    if (schema_.empty()) throw DatabaseError("A table set needs at least one table");
    for (std::size_t i = 0; i < schema_.size(); ++i) {
        schema_[i].validate();
        for (std::size_t j = 0; j < i; ++j)
            if (sameName(schema_[j].name, schema_[i].name))
                throw DatabaseError("Table '" + schema_[i].name + "' appears twice in the schema");
        tables_.push_back({schema_[i], i == 0 ? "main" : schema_[i].name, 0, {}});
    }
}

TableSet::~TableSet() {
    for (Cursor* c : std::vector<Cursor*>(cursors_)) c->close();
    statements_.clear();
}

void TableSet::setAlias(std::string alias) {
    if (isOpen()) throw DatabaseError("Cannot re-point the open table set '" + alias_ + "'");
    alias_ = std::move(alias);
}

const std::vector<TableDef>& TableSet::schema() const {
    return schema_;
}

const TableDef& TableSet::table(std::string_view name) const {
    return tables_[tableIndex(name)].def;
}

std::size_t TableSet::tableIndex(std::string_view name) const {
    for (std::size_t i = 0; i < tables_.size(); ++i)
        if (sameName(tables_[i].def.name, name)) return i;
    throw DatabaseError("Table set '" + alias_ + "' has no table '" + std::string(name) + "'");
}

std::string TableSet::qualifiedName(std::size_t t) const {
    return sqlName(tables_[t].schemaName) + "." + sqlName(tables_[t].def.name);
}

std::filesystem::path TableSet::tableFile(std::size_t t) const {
    return folder() / tables_[t].def.fileName();
}

std::string TableSet::context() const {
    return "Table set '" + alias_ + "'";
}

void TableSet::requireOpen(std::string_view what) const {
    if (!isOpen()) throw DatabaseError(std::string(what) + ": table set '" + alias_ + "' is closed");
}

Statement& TableSet::statement(const std::string& sql) {
    auto& slot = statements_[sql];
    if (!slot) slot = std::make_unique<Statement>(conn_.handle(), sql);
    return *slot;
}

std::uint64_t TableSet::bump(std::size_t t) {
    tables_[t].changes.clear();
    return tables_[t].version = ++versionCounter_;
}

// Past this many changes a lagging cursor reads the table again: each applied change may move
// every row behind it, so many of them over a long table cost more than one read.
constexpr std::size_t keptChanges = 256;

std::uint64_t TableSet::record(std::size_t t, TableChange change) {
    Table& table = tables_[t];
    change.from = table.version;
    change.to = table.version = ++versionCounter_;
    table.changes.push_back(std::move(change));
    if (table.changes.size() > keptChanges) table.changes.pop_front();
    return table.version;
}

void TableSet::bumpAll() {
    for (std::size_t t = 0; t < tables_.size(); ++t) bump(t);
}

void TableSet::detach(Cursor* c) {
    std::erase(cursors_, c);
}

bool TableSet::tableFileExists(std::string_view table) const {
    std::error_code ec;
    return std::filesystem::is_regular_file(tableFile(tableIndex(table)), ec);
}

void TableSet::verifyLayout(std::size_t t) {
    const auto& def = tables_[t].def;
    const std::string where = "Table file " + tableFile(t).string();
    Statement s(conn_.handle(),
                "PRAGMA " + sqlName(tables_[t].schemaName) + ".table_info(" + sqlName(def.name) + ")");
    std::size_t n = 0;
    bool matches = true;
    while (s.step(where)) {
        const Value name = s.column(1, FieldType::String);
        const Value type = s.column(2, FieldType::String);
        if (n >= def.fields.size() || name.isNull() || !sameName(name.text(), def.fields[n].name) ||
            type.isNull() || !sameName(type.text(), TableDef::declaredType(def.fields[n])))
            matches = false;
        ++n;
    }
    if (n == 0) throw DatabaseError(where + " holds no table '" + def.name + "'");
    if (!matches || n != def.fields.size())
        throw DatabaseError(where + ": the columns of table '" + def.name + "' differ from its definition");
}

void TableSet::open() {
    if (isOpen()) return;
    const auto dir = folder();
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec))
        throw DatabaseError(context() + ": the folder " + dir.string() + " does not exist");
    for (std::size_t t = 0; t < tables_.size(); ++t)
        if (const std::string wrong = core::notARegularFile(tableFile(t)); !wrong.empty())
            throw DatabaseError(context() + ": the table file " + tableFile(t).string() + " " + wrong);

    Connection c(tableFile(0).string(), SQLITE_OPEN_READWRITE, "Table file " + tableFile(0).string());
    // Every file of the set, those attached later included, keeps its locks
    // until the set closes.
    c.exec("PRAGMA locking_mode=EXCLUSIVE", context());
    for (std::size_t t = 1; t < tables_.size(); ++t) {
        Statement attach(c.handle(), "ATTACH ? AS " + sqlName(tables_[t].schemaName));
        attach.bind(0, Value(tableFile(t).string()));
        attach.step("Table file " + tableFile(t).string());
    }
    std::swap(conn_, c);
    try {
        requireWritable();
        for (std::size_t t = 0; t < tables_.size(); ++t) verifyLayout(t);
        conn_.exec("PRAGMA journal_mode=DELETE", context());
        // Take every file's lock now, so a second program is refused here and
        // not at its first read later.
        conn_.exec("BEGIN EXCLUSIVE; COMMIT", context());
    } catch (...) {
        statements_.clear();
        conn_ = Connection();
        throw;
    }
    removeLeftovers();
}

// SQLite opens a file it may not write read-only without a word, and the
// first write would fail only when it ends; the folder must take the journals.
void TableSet::requireWritable() {
    for (std::size_t t = 0; t < tables_.size(); ++t)
        if (sqlite3_db_readonly(conn_.handle(), tables_[t].schemaName.c_str()) == 1)
            throw ReadOnlyError(context() + ": the table file " + tableFile(t).string() +
                                " cannot be written");
    if (::faccessat(AT_FDCWD, folder().c_str(), W_OK, AT_EACCESS) != 0)
        throw ReadOnlyError(context() + ": the folder " + folder().string() + " cannot be written");
}

namespace {

// SQLite names a super-journal after the main file: "-mj", six hex digits, "9", two hex digits.
bool isSuperJournalName(std::string_view name, std::string_view mainFile) {
    constexpr std::string_view tail = "-mj";
    if (name.size() != mainFile.size() + tail.size() + 9 || !name.starts_with(mainFile) ||
        name.substr(mainFile.size(), tail.size()) != tail)
        return false;
    const std::string_view digits = name.substr(mainFile.size() + tail.size());
    return digits[6] == '9' && std::all_of(digits.begin(), digits.end(), [](char ch) {
               return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F');
           });
}

// The bytes of a regular file; nothing for anything else, which might never answer.
std::string contentOf(const std::filesystem::path& file) {
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

// A commit over several files writes a super-journal beside the first file,
// which a kill can leave behind after every journal it named was finished or
// rolled back. Once the set is open every file has been read under its lock,
// so those journals are dealt with and a super-journal left now is stale,
// unless a journal of the set still names it: that one is kept for SQLite.
// Only SQLite's own are taken, regular files of this user; never a user's
// file of a like name. So are the side files (part files, their journals,
// kept copies) of killed writers of the table files.
void TableSet::removeLeftovers() {
    const std::string mainFile = tableFile(0).filename().string();
    // Read only once a super-journal is found: a journal can be large, and is mostly not there.
    std::optional<std::vector<std::string>> journals;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder(), ec)) {
        const std::string name = entry.path().filename().string();
        struct stat st {};
        if (!isSuperJournalName(name, mainFile) || ::lstat(entry.path().c_str(), &st) != 0 ||
            !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
            continue;
        if (!journals) {
            journals.emplace();
            for (std::size_t t = 0; t < tables_.size(); ++t)
                journals->push_back(contentOf(tableFile(t).string() + "-journal"));
        }
        if (std::none_of(journals->begin(), journals->end(), [&name](const std::string& journal) {
                return journal.find(name) != std::string::npos;
            }))
            std::filesystem::remove(entry.path(), ec);
    }
    for (std::size_t t = 0; t < tables_.size(); ++t)
        core::removeDeadSideFiles(tableFile(t), {core::DurableReplacement::partKind, PartFile::journalKind,
                                                 PartFile::keptCopyKind});
}

void TableSet::close() {
    if (!isOpen()) return;
    if (txDepth_ > 0) throw DatabaseError(context() + ": cannot close while a transaction is open");
    for (Cursor* c : std::vector<Cursor*>(cursors_)) c->close();
    statements_.clear();
    conn_.close();
    bumpAll();
}

void TableSet::emptyTable(std::string_view table) {
    requireOpen("Emptying a table");
    const std::size_t t = tableIndex(table);
    conn_.exec("DELETE FROM " + qualifiedName(t), "Emptying table '" + tables_[t].def.name + "'");
    bump(t);
}

void TableSet::createTableFiles() {
    for (std::size_t t = 0; t < tables_.size(); ++t)
        if (tableFileExists(tables_[t].def.name))
            throw DatabaseError(context() + ": the table file " + tableFile(t).string() + " exists already");
    std::size_t made = 0;
    try {
        for (; made < tables_.size(); ++made) createTableFile(tables_[made].def.name);
    } catch (...) {
        std::error_code ec;
        for (std::size_t t = 0; t < made; ++t) std::filesystem::remove(tableFile(t), ec);
        throw;
    }
}

void TableSet::createTableFile(std::string_view table) {
    const std::size_t t = tableIndex(table);
    const auto target = tableFile(t);
    std::error_code ec;
    if (!std::filesystem::is_directory(target.parent_path(), ec))
        throw DatabaseError(context() + ": the folder " + target.parent_path().string() + " does not exist");
    if (std::filesystem::exists(target, ec))
        throw DatabaseError("The table file " + target.string() + " exists already");
    try {
        PartFile part(target);
        Connection c(part.path().string(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                     "Creating " + target.string());
        std::string sql = "BEGIN;";
        for (const auto& s : tables_[t].def.createStatements()) sql += s + ";";
        c.exec(sql + "COMMIT;", "Creating " + target.string());
        c.close();
        part.commit();
    } catch (const core::FileWriteError& e) {
        throw DatabaseError("Creating " + target.string() + ": " + e.cause());
    }
}

namespace {

std::vector<std::string> integrityProblems(sqlite3* db, const std::string& pragma, const std::string& where) {
    std::vector<std::string> problems;
    try {
        Statement s(db, pragma);
        while (s.step(where)) {
            const Value v = s.column(0, FieldType::String);
            if (!v.isNull() && v.text() != "ok") problems.push_back(v.text());
        }
    } catch (const BusyError&) {
        throw;
    } catch (const DatabaseError& e) {
        // A file SQLite cannot even read is the worst finding, not a failure of the check.
        problems.push_back(e.what());
    }
    return problems;
}

} // namespace

std::vector<std::string> TableSet::checkTableFile(std::string_view table) {
    const std::size_t t = tableIndex(table);
    const std::string where = "Checking " + tableFile(t).string();
    if (isOpen())
        return integrityProblems(conn_.handle(),
                                 "PRAGMA " + sqlName(tables_[t].schemaName) + ".integrity_check", where);
    if (const std::string wrong = core::notARegularFile(tableFile(t)); !wrong.empty())
        throw DatabaseError(context() + ": the table file " + tableFile(t).string() + " " + wrong);
    Connection c(tableFile(t).string(), SQLITE_OPEN_READONLY, where);
    return integrityProblems(c.handle(), "PRAGMA integrity_check", where);
}

} // namespace rectix::dataset
