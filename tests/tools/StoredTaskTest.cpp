#include "../support/SyncRecorder.h"
#include "StoredTaskFixture.h"

#include "core/DurableFile.h"
#include "tools/ExitStatus.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <iterator>

using namespace rectix;
using namespace rectix::tools::test;

TEST_F(StoredTaskTest, SolvesStoresClearsAndSolvesAgainToTheSamePlan) {
    const auto first = nlohmann::json::parse(run({}));
    EXPECT_EQ(first["LoadedBoxes"], 45);
    EXPECT_EQ(query(home() / "tasks.db", "SELECT Solut FROM tasks"), 1);
    const long long used = first["UsedConts"];
    EXPECT_EQ(query(home() / "solut.db", "SELECT COUNT(*) FROM solut"), used);
    EXPECT_EQ(query(home() / "posit.db", "SELECT COUNT(*) FROM posit"), 45);
    EXPECT_EQ(query(home() / "distr.db", "SELECT SUM(Placed) FROM distr"), 45);
    EXPECT_EQ(query(home() / "tc.db", "SELECT Used FROM tc"), used);
    EXPECT_EQ(query(home() / "tb.db", "SELECT Placed FROM tb"), 45);

    // The reload rebuilds the same boxes.
    const auto reloaded = nlohmann::json::parse(run({"--reload"}));
    EXPECT_EQ(reloaded["boxes"], first["boxes"]);

    // A container row gone (another program's edit): its position rows go with the Clear, so that
    // the task can be solved again.
    exec(home() / "solut.db", "DELETE FROM solut WHERE ContNo = (SELECT MAX(ContNo) FROM solut)");
    run({"--clear"});
    EXPECT_EQ(query(home() / "tasks.db", "SELECT Solut FROM tasks"), 0);
    EXPECT_EQ(query(home() / "distr.db", "SELECT COUNT(*) FROM distr"), 0);
    EXPECT_EQ(query(home() / "posit.db", "SELECT COUNT(*) FROM posit"), 0);
    const auto again = nlohmann::json::parse(run({}));
    EXPECT_EQ(again["boxes"], first["boxes"]);
    EXPECT_EQ(again["containers"], first["containers"]);
}

TEST_F(StoredTaskTest, RefusesWhatItCannotDo) {
    EXPECT_EQ(tools::runStoredTask({"--taskset", "/no/such/folder", "--task", "1"}), 2);
    EXPECT_EQ(tools::runStoredTask({"--taskset", home().string(), "--task", "999"}), 2);
    EXPECT_EQ(tools::runStoredTask({"--taskset", home().string()}), 2);
    run({"--clear"}, 2); // nothing stored to clear yet
}

TEST_F(StoredTaskTest, WritesTheCsvFilesOfTheStoredSolutionIntoSolutions) {
    run({"--csv"}, 2); // no solution yet
    const auto plan = nlohmann::json::parse(run({}));
    const fs::path previous = fs::current_path();
    fs::current_path(root);
    const std::string out = run({"--csv"});
    fs::current_path(previous);
    EXPECT_EQ(out, "solutions/Sample-conts.csv\nsolutions/Sample-distr.csv\nsolutions/Sample-posit.csv\n");
    std::ifstream in(root / "solutions/Sample-posit.csv", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::size_t boxLines = 0;
    for (std::size_t at = text.find("\r\nPallet,"); at != std::string::npos;
         at = text.find("\r\nPallet,", at + 1))
        ++boxLines;
    EXPECT_EQ(boxLines, 45u);
    EXPECT_EQ(text.find("BoxKind,BoxNo,PosX,PosY,PutL,PutW,LoadNo,\r\n"), text.find("\r\n") + 2);
    EXPECT_GT(plan["UsedConts"], 0);
}

// The files are in place when their folder cannot be synced: the export stands, with one line
// that says so, not a refusal.
TEST_F(StoredTaskTest, AFolderTheDiskDoesNotConfirmIsOneWarningLineAndTheExportStands) {
    run({});
    const fs::path previous = fs::current_path();
    fs::current_path(root);
    fs::create_directory("solutions");
    sync_recorder::failing = fs::canonical("solutions").string();
    tools::warnOnStandardError("rectix-solve");
    testing::internal::CaptureStderr();
    const std::string out = run({"--csv"});
    const std::string err = testing::internal::GetCapturedStderr();
    core::reportFileSyncWarnings({});
    sync_recorder::clear();
    fs::current_path(previous);
    EXPECT_EQ(out, "solutions/Sample-conts.csv\nsolutions/Sample-distr.csv\nsolutions/Sample-posit.csv\n");
    EXPECT_EQ(err, "rectix-solve: warning: solutions/Sample-conts.csv, solutions/Sample-distr.csv, "
                   "solutions/Sample-posit.csv: saved, but the disk did not confirm the change (Input/output "
                   "error); after a power failure the earlier version may be back\n");
    EXPECT_TRUE(fs::exists(root / "solutions/Sample-posit.csv"));
}
