// Table files made or copied reach the disk: the file is synced before its rename and the folder
// after it, so a power loss right after leaves the file in place.
#include "../support/SyncRecorder.h"
#include "DatasetFixture.h"

#include <algorithm>

namespace rectix::dataset::test {

namespace {

// Where `path` was first synced at or after `from`; -1 when it was not.
long syncOf(const fs::path& path, long from = 0) {
    const auto& synced = sync_recorder::synced;
    const auto at = std::find(synced.begin() + from, synced.end(), path.string());
    return at == synced.end() ? -1 : at - synced.begin();
}

} // namespace

TEST_F(DatasetTest, ACreatedOrCopiedTableFileIsSyncedAndThenItsFolder) {
    std::unique_ptr<TableSet> exp = makeSet("Rectixexp");
    const fs::path folder = fs::canonical(root / "data/export");
    for (const TableDef& t : exp->schema()) {
        sync_recorder::synced.clear();
        exp->createTableFile(t.name);
        const long file = syncOf(folder / (t.fileName() + ".part"));
        EXPECT_GE(file, 0) << t.name;
        EXPECT_GT(syncOf(folder, file + 1), file) << t.name << ": the folder was not synced after the file";
    }
    sync_recorder::synced.clear();
    set->copyTableFileTo("parts", *exp);
    const long copy = syncOf(folder / "parts.db.part");
    EXPECT_GE(copy, 0);
    EXPECT_GT(syncOf(folder, copy + 1), copy);
}

} // namespace rectix::dataset::test
