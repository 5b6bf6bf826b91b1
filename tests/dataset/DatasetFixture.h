#pragma once

#include "dataset/AliasRegistry.h"
#include "dataset/Cursor.h"
#include "dataset/TableSet.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace rectix::dataset::test {

namespace fs = std::filesystem;

// A small made-up schema: a library of parts, owners, and the parts each
// owner holds (a detail of owners, looking its parts up in the library).
inline std::vector<TableDef> testSchema() {
    TableDef parts{"parts",
                   {{"PartID", FieldType::AutoInc},
                    {"Name", FieldType::String, 10},
                    {"Len", FieldType::Int16},
                    {"Wid", FieldType::Int16},
                    {"Dir", FieldType::String, 6},
                    {"Turn", FieldType::Boolean},
                    {"Made", FieldType::Date},
                    {"Price", FieldType::Double},
                    {"Stock", FieldType::Int32}},
                   {},
                   {{"Name_ind", {"Name"}}}};
    TableDef owners{"owners", {{"OwnerID", FieldType::AutoInc}, {"Title", FieldType::String, 25}}, {}, {}};
    TableDef holds{"holds",
                   {{"OwnerID", FieldType::Int32},
                    {"PartID", FieldType::Int32},
                    {"Qty", FieldType::Int16},
                    {"Cost", FieldType::Double}},
                   {"OwnerID", "PartID"},
                   {}};
    return {parts, owners, holds};
}

// A fresh program folder with the home set's folder and its table files.
class DatasetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/rectix-dataset-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root = tmpl;
        fs::create_directories(root / "data/home");
        fs::create_directories(root / "data/export");
        set = makeSet("RectixB");
        for (const auto& t : set->schema()) set->createTableFile(t.name);
        set->open();
    }

    void TearDown() override {
        set.reset();
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    std::unique_ptr<TableSet> makeSet(const std::string& alias) const {
        return std::make_unique<TableSet>(AliasRegistry(root), alias, testSchema());
    }

    // Appends one part and posts it; returns its key.
    static std::int32_t addPart(Cursor& parts, const std::string& name, int len, int wid) {
        parts.append();
        parts.field("Name").setString(name);
        parts.field("Len").setInteger(len);
        parts.field("Wid").setInteger(wid);
        parts.post();
        return parts.field("PartID").asInteger();
    }

    // Runs `child` in a forked process and returns its exit code.
    template <typename F> static int inChildProcess(F child) {
        const pid_t pid = fork();
        if (pid == 0) {
            alarm(20); // a hang fails the test instead of stalling it
            int code = 99;
            try {
                code = child();
            } catch (...) {
                code = 98;
            }
            _exit(code);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path root;
    std::unique_ptr<TableSet> set;
};

} // namespace rectix::dataset::test
