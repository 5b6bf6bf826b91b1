// Damaged table sets, one case a file in tests/data/sets: SQL run on the sample
// set, with directives in comments ("-- solved": solve first; "-- action:" the
// harness options of one run, {pdf} a report file, one line a run, a solve
// without any, "draw" the drawing tool's reload; "-- remove:" a table file, or * for all; "-- expect:" a text
// of the refusal, one line each; "-- line:" the whole refusal, the same for every run). The harness refuses
// each run with one line on standard error and exit status 2, prints and writes nothing else and changes
// nothing in the set.
#include "StoredTaskFixture.h"

#include "engine/PackProblem.h"
#include "tools/StoredPlan.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

using namespace rectix;
using namespace rectix::tools::test;

namespace {

struct DamageCase {
    std::string name;
    std::string sql;
    std::vector<std::string> expect;
    std::string line;
    std::vector<std::string> remove;
    std::vector<std::vector<std::string>> actions;
    bool solved = false;
};

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

DamageCase readCase(const fs::path& file) {
    DamageCase c;
    c.name = file.filename().string();
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        auto directive = [&](const std::string& key) {
            return line.rfind("-- " + key, 0) == 0 ? line.substr(3 + key.size()) : std::string("\x01");
        };
        if (line == "-- solved")
            c.solved = true;
        else if (const std::string action = directive("action: "); action != "\x01")
            c.actions.push_back(words(action));
        else if (const std::string removed = directive("remove: "); removed != "\x01")
            c.remove.push_back(removed);
        else if (const std::string expected = directive("expect: "); expected != "\x01")
            c.expect.push_back(expected);
        else if (const std::string whole = directive("line: "); whole != "\x01")
            c.line = whole;
        else
            c.sql += line + "\n";
    }
    if (c.actions.empty()) c.actions.emplace_back();
    return c;
}

// Every file of a folder with its bytes.
std::map<std::string, std::string> snapshot(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(folder)) {
        std::ifstream in(e.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        files[e.path().filename().string()] = bytes.str();
    }
    return files;
}

// Runs SQL over the set's files as another program would: the first file is
// the main database and every other one is attached under its table's name.
void damage(const fs::path& folder, const std::string& sql) {
    if (sql.find_first_not_of(" \n") == std::string::npos) return;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((folder / "conts.db").c_str(), &db), SQLITE_OK);
    for (const char* t : {"boxes", "tasks", "tc", "tb", "solut", "distr", "posit"}) {
        const std::string attach =
            "ATTACH '" + (folder / (std::string(t) + ".db")).string() + "' AS " + std::string(t) + ";";
        ASSERT_EQ(sqlite3_exec(db, attach.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    }
    char* err = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err);
    EXPECT_EQ(rc, SQLITE_OK) << (err ? err : "");
    sqlite3_free(err);
    sqlite3_close(db);
}

} // namespace

TEST_F(StoredTaskTest, DamagedSetsAreRefusedInOneLineAndLeftAsTheyWere) {
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(fs::path(RECTIX_TEST_DATA) / "sets"))
        if (e.path().extension() == ".sql") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());

    const fs::path fresh = root / "fresh", solved = root / "solved";
    fs::copy(home(), fresh);
    run({});
    fs::copy(home(), solved);

    const fs::path report = root / "report.pdf";
    for (const fs::path& file : files) {
        const DamageCase c = readCase(file);
        for (const std::vector<std::string>& action : c.actions) {
            std::string options;
            for (const std::string& a : action) options += " " + a;
            SCOPED_TRACE(c.name + options);
            fs::remove(report);
            fs::remove_all(home());
            fs::copy(c.solved ? solved : fresh, home());
            damage(home(), c.sql);
            for (const std::string& r : c.remove)
                if (r == "*")
                    for (const auto& e : fs::directory_iterator(home())) fs::remove(e.path());
                else
                    fs::remove(home() / r);
            const auto before = snapshot(home());

            std::vector<std::string> args = {"--taskset", home().string(), "--task", std::to_string(taskID)};
            for (const std::string& a : action) args.push_back(a == "{pdf}" ? report.string() : a);
            testing::internal::CaptureStdout();
            testing::internal::CaptureStderr();
            int status = 0;
            std::string drawn;
            if (action == std::vector<std::string>{"draw"}) {
                engine::PackProblem problem;
                const tools::Failure f = tools::reloadStoredPlan(home(), taskID, problem);
                status = f.status;
                drawn = f.line + "\n";
            } else {
                status = tools::runStoredTask(args, root);
            }
            const std::string err = testing::internal::GetCapturedStderr() + drawn;
            const std::string out = testing::internal::GetCapturedStdout();

            EXPECT_EQ(status, 2);
            EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
            for (const std::string& expected : c.expect)
                EXPECT_NE(err.find(expected), std::string::npos) << err;
            if (!c.line.empty()) {
                EXPECT_EQ(err.substr(err.rfind("rectix-solve: ", 0) == 0 ? 14 : 0), c.line + "\n");
            }
            EXPECT_EQ(out, "");
            EXPECT_FALSE(fs::exists(report)) << "a report was printed";
            EXPECT_TRUE(snapshot(home()) == before) << "the set was changed";
        }
    }
}
