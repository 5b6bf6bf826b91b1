// Stored values that their fields cannot hold, found and named before anything reads them.
#include "DatasetFixture.h"

#include <sqlite3.h>

namespace rectix::dataset::test {
namespace {

// Runs SQL on a table file of the closed set, as another tool would.
void rawSql(const fs::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

TEST_F(DatasetTest, EveryValueAFieldCannotHoldIsNamedByTableRowAndField) {
    Cursor parts(*set, "parts");
    parts.open();
    addPart(parts, "Bolt", 10, 5);
    addPart(parts, "Nut", 4, 4);
    Cursor holds(*set, "holds");
    holds.open();
    holds.append();
    holds.field("OwnerID").setInteger(7);
    holds.field("PartID").setInteger(2);
    holds.field("Qty").setInteger(3);
    holds.post();
    EXPECT_EQ(set->badStoredValue("parts"), "");
    EXPECT_EQ(set->badStoredValue("holds"), "");
    set->close();
    EXPECT_EQ(set->badStoredValue("parts"), ""); // and on a closed set

    const fs::path partsFile = root / "data/home/parts.db";
    const fs::path holdsFile = root / "data/home/holds.db";
    const std::pair<std::string, std::string> cases[] = {
        {"UPDATE parts SET Len='abc' WHERE Name='Nut'",
         "parts.db, row 2 (PartID 2), field Len: 'abc' is no whole number from -32768 to 32767"},
        {"UPDATE parts SET Len=40000 WHERE Name='Nut'",
         "parts.db, row 2 (PartID 2), field Len: 40000 is no whole number from -32768 to 32767"},
        {"UPDATE parts SET Stock=3000000000 WHERE Name='Bolt'",
         "parts.db, row 1 (PartID 1), field Stock: 3000000000 is no whole number from -2147483648 to "
         "2147483647"},
        {"UPDATE parts SET Stock=2.5 WHERE Name='Bolt'", "parts.db, row 1 (PartID 1), field Stock: 2.5 "
                                                         "is no whole number from -2147483648 to 2147483647"},
        {"UPDATE parts SET Price=9e999 WHERE Name='Bolt'",
         "parts.db, row 1 (PartID 1), field Price: inf is no finite number"},
        {"UPDATE parts SET Price='x1' WHERE Name='Bolt'",
         "parts.db, row 1 (PartID 1), field Price: 'x1' is no finite number"},
        {"UPDATE parts SET Turn='yes' WHERE Name='Bolt'",
         "parts.db, row 1 (PartID 1), field Turn: 'yes' is no Boolean"},
        {"UPDATE parts SET Made='2026-02-30' WHERE Name='Bolt'",
         "parts.db, row 1 (PartID 1), field Made: '2026-02-30' is no date"},
    };
    for (const auto& [sql, expected] : cases) {
        fs::copy_file(partsFile, root / "parts.good", fs::copy_options::overwrite_existing);
        rawSql(partsFile, sql);
        EXPECT_EQ(set->badStoredValue("parts"), expected) << sql;
        fs::copy_file(root / "parts.good", partsFile, fs::copy_options::overwrite_existing);
    }
    rawSql(holdsFile, "UPDATE holds SET Cost='-inf'");
    set->open();
    EXPECT_EQ(set->badStoredValue("holds"),
              "holds.db, row 1 (OwnerID 7, PartID 2), field Cost: '-inf' is no finite number");
    EXPECT_EQ(set->badStoredValue("parts"), "");
}

} // namespace
} // namespace rectix::dataset::test
