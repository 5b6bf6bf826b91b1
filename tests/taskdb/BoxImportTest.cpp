// Box import: the line parser and the import into the box library, from files in tests/data.
#include "TaskDbFixture.h"

#include "../support/FileSizeLimit.h"

#include "taskdb/BoxImporter.h"
#include "taskdb/BoxLineParser.h"

#include "core/Errors.h"
#include "dataset/Errors.h"

#include <fstream>

namespace rectix::taskdb::test {
namespace {

struct Row {
    std::string kind, mark;
    int total, length, width, weight;
    bool turnOn;
    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Row& r) {
    return os << r.kind << "/" << r.mark << " " << r.total << " " << r.length << "x" << r.width << " w"
              << r.weight << (r.turnOn ? " turn" : "");
}

std::string reportFor(const std::string& text, int row) {
    return (text.empty() ? "" : text + "\r") + "See box file/list line/row # " + std::to_string(row) +
           ".\rAll lines/rows below are omited.";
}

const std::string formatError = "Box import file format or reading error.";

class BoxImportTest : public TaskDbTest {
  protected:
    BoxImportResult import(const std::string& file, BoxImportOptions options = {}) {
        return BoxImporter(*dm).importFile(testData("boximport/" + file), options);
    }
    std::vector<Row> rows() {
        std::vector<Row> out;
        dataset::Cursor& c = dm->boxes;
        if (c.isEmpty()) return out;
        for (c.first();; c.next()) {
            out.push_back({dm->boxesKind.asString(), dm->boxesMark.asString(), dm->boxesTotal.asInteger(),
                           dm->boxesLength.asInteger(), dm->boxesWidth.asInteger(),
                           dm->boxesWeight.asInteger(), dm->boxesTurnOn.asBoolean()});
            if (c.currentIndex() + 1 >= c.recordCount()) break;
        }
        return out;
    }
    std::vector<std::string> kinds() {
        std::vector<std::string> out;
        for (const Row& r : rows()) out.push_back(r.kind);
        return out;
    }
};

TEST_F(BoxImportTest, ColumnOrdersAndSeparators) {
    BoxImportResult r = import("order0-space.txt");
    EXPECT_EQ(r.added, 1);
    EXPECT_TRUE(r.reports.empty());
    EXPECT_EQ(rows(), (std::vector<Row>{{"Panel", "Pl", 3, 1200, 800, 0, true}}));

    r = import("order1-comma.csv", {.order = 1, .comma = true});
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(rows()[1], (Row{"Shelf", "S1", 2, 600, 400, 15, false}));

    // Tabs and runs of blanks are one separator; blank lines count for nothing.
    r = import("blanks.txt");
    EXPECT_EQ(r.added, 2);
    EXPECT_TRUE(r.reports.empty());
    EXPECT_EQ(rows()[0], (Row{"Box", "Bx", 1, 10, 20, 0, true}));
    EXPECT_EQ(rows()[1], (Row{"Crate", "Ce", 2, 60, 40, 0, true}));
    EXPECT_FALSE(store.boxEditMode);
}

TEST_F(BoxImportTest, AnEmptyQuantityInCommaModeIsAFormatErrorNamingTheRow) {
    const BoxImportResult r = import("empty-quantity.csv", {.order = 1, .comma = true});
    EXPECT_EQ(r.added, 1);
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(r.reports, std::vector<std::string>{reportFor(formatError, 2)});
    EXPECT_EQ(kinds(), std::vector<std::string>{"Good"});
}

TEST_F(BoxImportTest, TheEndLineAndTheHeaderLine) {
    BoxImportResult r = import("end-line.txt", {.order = 2});
    EXPECT_EQ(r.added, 1);
    EXPECT_TRUE(r.reports.empty());
    EXPECT_EQ(kinds(), std::vector<std::string>{"Box"});

    r = import("header.txt", {.order = 2, .header = 1});
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(kinds(), (std::vector<std::string>{"Box", "Plate"}));
}

TEST_F(BoxImportTest, EveryFailingRuleReportsAndTheImportStops) {
    const BoxImportResult r = import("rules.txt");
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.reports,
              (std::vector<std::string>{reportFor("Box lengths must be positive integers up to 32000.", 2),
                                        reportFor("Box weights must be positive integers up to 30000.", 2)}));
    EXPECT_EQ(kinds(), std::vector<std::string>{"Ok"});
}

TEST_F(BoxImportTest, MarksFromTheKindAndTextsCutToTheirFields) {
    EXPECT_EQ(import("cut-and-mark.txt").added, 2);
    const auto r = rows();
    EXPECT_EQ(r[0].kind, "Long-kind-name-of-thirty-"); // 25 characters
    EXPECT_EQ(r[0].mark, "AB");
    EXPECT_EQ(r[1].kind, "X");
    EXPECT_EQ(r[1].mark, "X");
}

TEST_F(BoxImportTest, TextThatIsNotUtf8IsReadAsCodePage1252) {
    EXPECT_EQ(import("cp1252.txt").added, 2);
    EXPECT_EQ(import("utf8.txt").added, 1);
    EXPECT_EQ(kinds(), (std::vector<std::string>{"Caf\u00e9", "Caf\u00e9", "Na\u00efve"}));
    EXPECT_EQ(rows()[0].mark, "C\u00e9");
}

TEST_F(BoxImportTest, OversizedLinesAndFilesStopCleanly) {
    BoxImportResult r = import("sixty-fields.txt");
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.reports, std::vector<std::string>{reportFor(formatError, 2)});

    const fs::path big = root / "big.txt";
    {
        std::ofstream out(big, std::ios::binary);
        for (int i = 0; i < 40000; ++i) out << "1 K" << i << " 10 10\r\n";
    }
    r = BoxImporter(*dm).importFile(big, {});
    EXPECT_EQ(r.added, BoxImporter::maxLines);
    EXPECT_EQ(r.reports, std::vector<std::string>{reportFor(formatError, BoxImporter::maxLines + 1)});
    EXPECT_EQ(dm->boxes.recordCount(), static_cast<std::size_t>(BoxImporter::maxLines + 1));
    EXPECT_FALSE(store.boxEditMode);
}

// A spreadsheet's "CSV UTF-8" starts with a byte-order mark: it is no part of the first field.
TEST_F(BoxImportTest, AByteOrderMarkAddsTheSameRowsAsWithoutIt) {
    const fs::path file = root / "bom.txt";
    std::ofstream(file, std::ios::binary) << "\xEF\xBB\xBF"
                                          << "3 Panel 1200 800\r\n";
    BoxImportResult r = BoxImporter(*dm).importFile(file, {});
    EXPECT_EQ(r.added, 1);
    EXPECT_TRUE(r.reports.empty());
    std::ofstream(file, std::ios::binary) << "\xEF\xBB\xBF"
                                          << "Shelf,2,600,400\r\n";
    r = BoxImporter(*dm).importFile(file, {.order = 1, .comma = true});
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(rows(), (std::vector<Row>{{"Panel", "Pl", 3, 1200, 800, 0, true},
                                        {"Shelf", "Sf", 2, 600, 400, 0, true}}));
}

TEST_F(BoxImportTest, ExactlyTheLineLimitImportsWholeAndOneMoreIsRefused) {
    const auto write = [&](int lines) {
        const fs::path file = root / ("lines-" + std::to_string(lines) + ".txt");
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < lines; ++i) out << "1 K" << i << " 10 10\r\n";
        return file;
    };
    BoxImportResult r = BoxImporter(*dm).importFile(write(32768), {});
    EXPECT_EQ(r.added, 32768);
    EXPECT_TRUE(r.reports.empty());
    EXPECT_FALSE(r.stopped);
    r = BoxImporter(*dm).importFile(write(32769), {});
    EXPECT_EQ(r.added, 32768);
    EXPECT_EQ(r.reports, std::vector<std::string>{reportFor(formatError, 32769)});
}

TEST_F(BoxImportTest, TwoSignsMakeNoNumber) {
    const fs::path file = root / "signs.txt";
    std::ofstream(file, std::ios::binary) << "1 A 10 10\r\n+-5 B 10 10\r\n";
    const BoxImportResult r = BoxImporter(*dm).importFile(file, {});
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.reports, std::vector<std::string>{reportFor(formatError, 2)});
    EXPECT_EQ(BoxLineParser({}).read("1 A +-5 10").outcome, BoxLine::Outcome::FormatError);
    EXPECT_EQ(BoxLineParser({}).read("1 A -+5 10").outcome, BoxLine::Outcome::FormatError);
    EXPECT_EQ(BoxLineParser({}).read("+1 A -5 10").outcome, BoxLine::Outcome::Box);
}

// Never read without end: a device or a folder is refused before a line is read, by name.
TEST_F(BoxImportTest, WhatIsNoRegularFileIsNotRead) {
    for (const fs::path& file : {fs::path("/dev/zero"), root}) {
        const BoxImportResult r = BoxImporter(*dm).importFile(file, {});
        EXPECT_EQ(r.added, 0);
        EXPECT_EQ(r.reports, std::vector<std::string>{reportFor(formatError, 1)});
        EXPECT_EQ(r.unreadable.rfind(file.string() + ": is a ", 0), 0U) << r.unreadable;
    }
    EXPECT_TRUE(kinds().empty());
}

// A disk that fills during the import: SQLite undoes the transaction itself, and the import says
// that nothing of it was kept instead of committing what is no longer there.
TEST_F(BoxImportTest, AFullDiskUndoesTheWholeImportAndSaysSo) {
    addBox("Kept", 10, 10);
    const fs::path file = root / "many.txt";
    {
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < 20000; ++i) out << "1 Kind-of-a-long-name-" << i << " 10 10\r\n";
    }
    std::string failure;
    try {
        const FileSizeLimit full(fs::file_size(root / "data/home/boxes.db") + 64 * 1024);
        BoxImporter(*dm).importFile(file, {});
    } catch (const dataset::DatabaseError& e) {
        failure = e.what();
    }
    EXPECT_EQ(failure.rfind("The box import could not be stored; nothing of it was kept: ", 0), 0U)
        << failure;
    dm->boxes.refresh();
    EXPECT_EQ(kinds(), std::vector<std::string>{"Kept"});
    EXPECT_FALSE(store.boxEditMode);
}

TEST_F(BoxImportTest, AMissingFileOrARefusedRowEndsTheImport) {
    BoxImportResult r = import("no-such-file.txt");
    EXPECT_EQ(r.added, 0);
    EXPECT_EQ(r.reports, std::vector<std::string>{reportFor(formatError, 1)});

    // The export set's library takes no rows: the rule shows its message, the import stops.
    store.activeDB = 1;
    store.boxEditMode = true;
    r = import("order0-space.txt");
    EXPECT_EQ(r.added, 0);
    EXPECT_EQ(r.reports, std::vector<std::string>{reportFor("", 1)});
    ASSERT_EQ(dialogs.shown.size(), 1U);
    EXPECT_NE(dialogs.shown[0].text.find("You can not edit Export DB library"), std::string::npos);
    EXPECT_TRUE(store.boxEditMode); // put back as it was
    EXPECT_TRUE(kinds().empty());
}

// A row the library refuses when it is written is dropped whole: the library is back in browse
// on the rows before it, and takes the next edit as ever.
TEST_F(BoxImportTest, ARowRefusedOnWritingLeavesNoHalfWrittenRow) {
    auto rules = dm->boxes.events.beforePost;
    dm->boxes.events.beforePost = [&rules, this](dataset::Cursor& rows) {
        if (dm->boxesKind.asString() == "Box") throw core::SilentAbort();
        rules(rows);
    };
    const BoxImportResult r = import("blanks.txt");
    EXPECT_EQ(r.added, 1);
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(r.reports, std::vector<std::string>{reportFor("", 2)});
    EXPECT_EQ(dm->boxes.state(), dataset::CursorState::Browse);
    EXPECT_FALSE(store.boxEditMode);
    dm->boxes.events.beforePost = rules;
    EXPECT_EQ(kinds(), std::vector<std::string>{"Crate"});

    // What another reader of the table sees.
    dataset::Cursor stored(dm->db, "boxes");
    stored.open();
    EXPECT_EQ(stored.recordCount(), 1U);
}

TEST(BoxLineParser, SplitsAsTheBoundaryTableDoes) {
    const BoxLineParser space({});
    const BoxLineParser comma({.comma = true});
    using Fields = std::vector<std::string_view>;
    EXPECT_EQ(*space.split("  a \t b"), (Fields{"a", "b"}));
    EXPECT_EQ(*comma.split(",a,,b,"), (Fields{"", "a", "", "b"}));
    EXPECT_EQ(*comma.split(" x , y "), (Fields{"x", "y"}));
    std::string fifty(49, ',');
    EXPECT_EQ(comma.split(fifty + "z")->size(), 50U);
    EXPECT_FALSE(comma.split(fifty + ",z"));
    EXPECT_EQ(BoxLineParser::cutTrailingBlanks("a b \t\r\x01"), "a b");
    // A Kind that is not a whole number makes an ordinary line of 555 by 555.
    EXPECT_EQ(BoxLineParser({.order = 2}).read("555x 555 555").outcome, BoxLine::Outcome::Box);
    EXPECT_EQ(BoxLineParser({.order = 2}).read("+555 555 555").outcome, BoxLine::Outcome::EndLine);
    EXPECT_EQ(space.read("1 K 99999999999 1").outcome, BoxLine::Outcome::FormatError);
}

} // namespace
} // namespace rectix::taskdb::test
