#include "StoredTaskFixture.h"

#include <nlohmann/json.hpp>

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

    run({"--clear"});
    EXPECT_EQ(query(home() / "tasks.db", "SELECT Solut FROM tasks"), 0);
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
