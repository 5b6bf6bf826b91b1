// The three CSV files of a stored solution: their format, names from any task name, numbers in
// any locale, and earlier files kept whole when a write fails.
#include "../support/FileSizeLimit.h"
#include "../support/FileText.h"
#include "StoredSolution.h"
#include "TaskDbFixture.h"

#include "taskdb/SolutionExport.h"

#include <algorithm>
#include <clocale>
#include <fstream>
#include <iterator>
#include <locale>

namespace rectix::taskdb::test {

namespace {

const std::string date = "06/12/2026";

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

// A locale whose numbers take a decimal comma, as a French user's do.
struct DecimalComma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

class SolutionExportTest : public TaskDbTest {
  protected:
    void SetUp() override {
        TaskDbTest::SetUp();
        loadSolution(*dm, store, testData("taskdb/export/three-containers.solution"));
        folder = root / "solutions";
    }

    SolutionExport::Result exportFiles() { return SolutionExport(*dm).write(folder, date); }

    void renameTask(const std::string& name) {
        dm->tasks.edit();
        dm->tasksName.setString(name);
        dm->tasks.post();
    }

    fs::path folder;
};

} // namespace

TEST_F(SolutionExportTest, ThreeFilesMatchTheExpectedOnesLineByLine) {
    dm->solut.last(); // the walk starts from the first container whatever is selected
    const SolutionExport::Result result = exportFiles();
    ASSERT_TRUE(result.written()) << result.error;
    EXPECT_EQ(result.files.containers, folder / "Shipment-conts.csv");
    EXPECT_EQ(result.files.boxKinds, folder / "Shipment-distr.csv");
    EXPECT_EQ(result.files.positions, folder / "Shipment-posit.csv");
    const std::pair<fs::path, const char*> files[] = {{result.files.containers, "three-containers-conts.csv"},
                                                      {result.files.boxKinds, "three-containers-distr.csv"},
                                                      {result.files.positions, "three-containers-posit.csv"}};
    for (const auto& [written, expectedName] : files) {
        const std::vector<std::string> got = linesOf(readFile(written));
        const std::vector<std::string> expected =
            linesOf(readFile(testData("taskdb/export/") + expectedName));
        ASSERT_FALSE(expected.empty()) << expectedName;
        for (std::size_t i = 0; i < std::max(got.size(), expected.size()); ++i)
            EXPECT_EQ(i < got.size() ? got[i] : "<none>", i < expected.size() ? expected[i] : "<none>")
                << expectedName << ", line " << i + 1;
    }
    // The walk leaves the selected container (and its details) as they were.
    EXPECT_EQ(dm->solutContNo.asInteger(), 4);
    EXPECT_EQ(dm->distrPlaced.asInteger(), 2);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 3); // no part file left
}

// The walk goes through every row of the three tables; each comes back to the row the page
// showed, the details to theirs within the selected container, not to its first.
TEST_F(SolutionExportTest, TheThreeTablesAreBackOnTheirRowsAfterwards) {
    dm->solut.first();
    dm->distr.last();
    ASSERT_TRUE(dm->posit.locate("BoxNo", 7));
    ASSERT_EQ(dm->distrPlaced.asInteger(), 3);

    ASSERT_TRUE(exportFiles().written());
    EXPECT_EQ(dm->solutContNo.asInteger(), 1);
    EXPECT_EQ(dm->distrPlaced.asInteger(), 3);
    EXPECT_EQ(dm->positBoxNo.asInteger(), 7);
    for (const dataset::Cursor* c : {&dm->solut, &dm->distr, &dm->posit})
        EXPECT_EQ(c->state(), dataset::CursorState::Browse);
}

TEST_F(SolutionExportTest, TextsWithCommasOrQuotesAreQuotedSoColumnsStayInPlace) {
    renameTask("Smith, \"Jones\"");
    // Past the library's rules, which keep a type of a solved task as it is.
    dataset::Cursor library(dm->db, "conts");
    library.open();
    library.first();
    library.edit();
    library.field("Type").setString("Sheet, thin");
    library.post();
    dm->solut.refresh();

    const SolutionExport::Result result = exportFiles();
    ASSERT_TRUE(result.written()) << result.error;
    const std::vector<std::string> lines = linesOf(readFile(result.files.containers));
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], date + ",  \"Smith, \"\"Jones\"\"\"\r\n");
    EXPECT_EQ(lines[3], "\"Sheet, thin\",1,12,855,  85.500,195,  19.500,       12.00,100,95,\r\n");
    EXPECT_EQ(result.files.containers.filename(), "Smith, _Jones_-conts.csv");
}

TEST_F(SolutionExportTest, NumbersTakeAPointInALocaleWithADecimalComma) {
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new DecimalComma));
    // Where the system has a French locale, the C library's formatting uses it too.
    const std::string cNumeric = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
    const SolutionExport::Result result = exportFiles();
    std::setlocale(LC_NUMERIC, cNumeric.c_str());
    std::locale::global(previous);
    ASSERT_TRUE(result.written()) << result.error;
    const std::vector<std::string> lines = linesOf(readFile(result.files.containers));
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[5], "Plate,4,2,30,  12.500,10,   2.000,        2.00,8,2,\r\n");
}

TEST_F(SolutionExportTest, ANameWithPathPartsStillWritesIntoTheFolder) {
    for (const std::string name : {"../x", "..", "a/b\\c:d*e?f<g>h|i"}) {
        renameTask(name);
        const SolutionExport::Result result = exportFiles();
        ASSERT_TRUE(result.written()) << name << ": " << result.error;
        for (const fs::path& file :
             {result.files.containers, result.files.boxKinds, result.files.positions}) {
            EXPECT_EQ(file.parent_path(), folder) << name;
            EXPECT_TRUE(fs::is_regular_file(file)) << file;
        }
    }
    EXPECT_FALSE(fs::exists(root / "x-conts.csv"));
    EXPECT_TRUE(fs::exists(folder / ".._x-conts.csv"));
    EXPECT_TRUE(fs::exists(folder / "..-posit.csv"));
    EXPECT_TRUE(fs::exists(folder / "a_b_c_d_e_f_g_h_i-distr.csv"));
}

TEST_F(SolutionExportTest, ExportingAgainReplacesTheFiles) {
    ASSERT_TRUE(exportFiles().written());
    dm->solut.first();
    dm->solut.edit();
    dm->solutNoseLoad.setInteger(101);
    dm->solut.post();
    const SolutionExport::Result result = exportFiles();
    ASSERT_TRUE(result.written()) << result.error;
    EXPECT_NE(readFile(result.files.containers).find("12.00,101,95,"), std::string::npos);
}

// A disk that fills up halfway: the write fails, the error is reported, and the files of the
// earlier export stay as they were, all three.
TEST_F(SolutionExportTest, AFullDiskReportsTheErrorAndKeepsTheEarlierFiles) {
    const SolutionFiles files = SolutionExport::filesFor(folder, "Shipment");
    ASSERT_TRUE(exportFiles().written());
    const std::uintmax_t largest = std::max(
        {fs::file_size(files.containers), fs::file_size(files.boxKinds), fs::file_size(files.positions)});
    for (const fs::path& file : {files.containers, files.boxKinds, files.positions})
        std::ofstream(file, std::ios::binary) << "earlier " << file.filename().string();
    // A file of the user's named like a part file stays as it is.
    const fs::path users = files.boxKinds.string() + ".part";
    std::ofstream(users) << "the user's";

    SolutionExport::Result result;
    {
        const FileSizeLimit full(largest - 1); // the largest of the three no longer fits
        result = exportFiles();
    }
    EXPECT_FALSE(result.written());
    EXPECT_NE(result.error.find("File too large"), std::string::npos) << result.error;
    for (const fs::path& file : {files.containers, files.boxKinds, files.positions})
        EXPECT_EQ(readFile(file), "earlier " + file.filename().string());
    EXPECT_EQ(readFile(users), "the user's");
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_TRUE(entry.path().extension() == ".csv" || entry.path() == users) << entry.path();
}

// A read-only file of an earlier export is refused before anything is written: all three stay
// as they were, the read-only one keeps its mode.
TEST_F(SolutionExportTest, AReadOnlyEarlierFileIsAWriteErrorAndNoFileIsReplaced) {
    const SolutionFiles files = SolutionExport::filesFor(folder, "Shipment");
    fs::create_directories(folder);
    for (const fs::path& file : {files.containers, files.boxKinds, files.positions})
        std::ofstream(file, std::ios::binary) << "earlier " << file.filename().string();
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(files.positions, readOnly);

    const SolutionExport::Result result = exportFiles();
    EXPECT_FALSE(result.written());
    EXPECT_NE(result.error.find("Shipment-posit.csv"), std::string::npos) << result.error;
    for (const fs::path& file : {files.containers, files.boxKinds, files.positions})
        EXPECT_EQ(readFile(file), "earlier " + file.filename().string());
    EXPECT_EQ(fs::status(files.positions).permissions() & fs::perms::all, readOnly);
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_EQ(entry.path().extension(), ".csv") << entry.path();
}

TEST_F(SolutionExportTest, AFolderThatCannotBeMadeIsAWriteError) {
    std::ofstream(folder) << "a file where the folder should be";
    const SolutionExport::Result result = exportFiles();
    EXPECT_FALSE(result.written());
    EXPECT_EQ(readFile(folder), "a file where the folder should be");
}

TEST(SolutionExportFormat, FixedWidthsAndQuotingFollowTheCsvRules) {
    EXPECT_EQ(SolutionExport::fixedText(85.5, 8, 3), "  85.500");
    EXPECT_EQ(SolutionExport::fixedText(0, 8, 3), "   0.000");
    EXPECT_EQ(SolutionExport::fixedText(1234567.891, 12, 2), "  1234567.89");
    EXPECT_EQ(SolutionExport::fixedText(123456789012.5, 12, 2), "123456789012.50");
    EXPECT_EQ(SolutionExport::csvText("plain text"), "plain text");
    EXPECT_EQ(SolutionExport::csvText("a,b"), "\"a,b\"");
    EXPECT_EQ(SolutionExport::csvText("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(SolutionExport::csvText("two\r\nlines"), "\"two\r\nlines\"");
    // A lone line feed or carriage return breaks the line for other readers as well.
    EXPECT_EQ(SolutionExport::csvText("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(SolutionExport::csvText("two\rlines"), "\"two\rlines\"");
}

} // namespace rectix::taskdb::test
