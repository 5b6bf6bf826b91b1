// Table files made or copied reach the disk: the file is synced before its rename and the folder
// after it, so a power loss right after leaves the file in place.
#include "../support/SyncRecorder.h"
#include "DatasetFixture.h"

namespace rectix::dataset::test {

TEST_F(DatasetTest, ACreatedOrCopiedTableFileIsSyncedAndThenItsFolder) {
    const std::vector<std::string> inOrder = {"sync part", "rename", "sync folder"};
    std::unique_ptr<TableSet> exp = makeSet("Rectixexp");
    const fs::path folder = fs::canonical(root / "data/export");
    for (const TableDef& t : exp->schema()) {
        sync_recorder::clear();
        exp->createTableFile(t.name);
        EXPECT_EQ(sync_recorder::replacementSteps(folder / t.fileName()), inOrder) << t.name;
    }
    sync_recorder::clear();
    set->copyTableFileTo("parts", *exp);
    EXPECT_EQ(sync_recorder::replacementSteps(folder / "parts.db"), inOrder);
    sync_recorder::clear();
}

} // namespace rectix::dataset::test
