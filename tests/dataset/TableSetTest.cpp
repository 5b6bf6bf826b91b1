#include "../support/DeadProcess.h"
#include "../support/Unprivileged.h"
#include "DatasetFixture.h"

#include "dataset/Errors.h"
#include "dataset/Transaction.h"

#include <fstream>

#include <unistd.h>

using namespace rectix::dataset;
using namespace rectix::dataset::test;

TEST(Aliases, DefaultsAndFileEntries) {
    char tmpl[] = "/tmp/rectix-alias-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    const fs::path root = tmpl;
    EXPECT_EQ(AliasRegistry(root).path("RectixB"), root / "data/home");
    EXPECT_EQ(AliasRegistry(root).path("rectiximp"), root / "data/import");

    std::ofstream(root / AliasRegistry::fileName) << "# sets\n Rectixexp = /srv/exchange \nExtra=other/x\n";
    const AliasRegistry aliases(root);
    EXPECT_EQ(aliases.path("Rectixexp"), fs::path("/srv/exchange"));
    EXPECT_EQ(aliases.path("RectixB"), root / "data/home");
    EXPECT_EQ(aliases.path("EXTRA"), root / "other/x");
    EXPECT_THROW(aliases.path("Nowhere"), DatabaseError);

    std::ofstream(root / AliasRegistry::fileName) << "RectixB\n";
    EXPECT_THROW(AliasRegistry{root}, DatabaseError);

    // A mark that an editor puts in front of the first name is no part of it.
    std::ofstream(root / AliasRegistry::fileName) << "\xEF\xBB\xBFRectixB=/srv/home\n";
    EXPECT_EQ(AliasRegistry(root).path("RectixB"), fs::path("/srv/home"));
    fs::remove_all(root);
}

// An alias file that is no regular file is refused by name, never read without end.
TEST(Aliases, AFolderOrDeviceInPlaceOfTheFileIsRefused) {
    char tmpl[] = "/tmp/rectix-alias-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    const fs::path root = tmpl;
    const fs::path file = root / AliasRegistry::fileName;
    fs::create_symlink("/dev/zero", file);
    try {
        AliasRegistry aliases(root);
        FAIL() << "read a device as the alias file";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Alias file " + file.string() + ": is a device, pipe or socket, not a file");
    }
    fs::remove(file);
    fs::create_directory(file);
    EXPECT_THROW(AliasRegistry{root}, DatabaseError);
    fs::remove_all(root);
}

TEST_F(DatasetTest, OpenNamesWhatIsMissingOrWrong) {
    auto other = makeSet("Rectixexp");
    try {
        other->open();
        FAIL() << "opened a set without table files";
    } catch (const DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("parts.db"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(other->isOpen());

    auto nowhere = makeSet("Rectiximp"); // its folder was never made
    EXPECT_THROW(nowhere->open(), DatabaseError);

    // A file of the right name holding another layout is refused at open.
    for (const auto& t : other->schema()) other->createTableFile(t.name);
    fs::remove(root / "data/export/owners.db");
    TableDef wrong{"owners", {{"OwnerID", FieldType::AutoInc}, {"Title", FieldType::String, 30}}, {}, {}};
    TableSet wrongSet(AliasRegistry(root), "Rectixexp", {wrong});
    wrongSet.createTableFile("owners");
    try {
        other->open();
        FAIL() << "opened a table file of another layout";
    } catch (const DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("owners"), std::string::npos) << e.what();
    }
    EXPECT_THROW(other->createTableFile("owners"), DatabaseError); // never overwrites
}

// A table file's name taken by a folder or a device is said to be that, not missing.
TEST_F(DatasetTest, OpenSaysWhatStandsInPlaceOfATableFile) {
    auto other = makeSet("Rectixexp");
    for (const auto& t : other->schema()) other->createTableFile(t.name);
    const fs::path file = root / "data/export" / other->schema().front().fileName();
    fs::remove(file);
    fs::create_directory(file);
    try {
        other->open();
        FAIL() << "opened a set whose table file is a folder";
    } catch (const DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find(file.string() + " is a folder"), std::string::npos) << e.what();
    }
    fs::remove(file);
    fs::create_symlink("/dev/null", file);
    try {
        other->checkTableFile(other->schema().front().name);
        FAIL() << "checked a device as a table file";
    } catch (const DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("is a device"), std::string::npos) << e.what();
    }
}

TEST_F(DatasetTest, SecondProcessIsToldBusyAtOpen) {
    EXPECT_EQ(runProbe("RectixB"), 3);
    EXPECT_THROW(makeSet("RectixB")->open(), BusyError); // a second set of this program too

    // Once closed here, the other process opens it; while it holds the set,
    // this one is refused.
    set->close();
    EXPECT_EQ(runProbe("RectixB"), 0);
    const pid_t holder = holdWithProbe("RectixB");
    ASSERT_GT(holder, 0);
    EXPECT_THROW(set->open(), BusyError);
    kill(holder, SIGTERM);
    waitpid(holder, nullptr, 0);
    set->open();
    EXPECT_TRUE(set->isOpen());
}

TEST_F(DatasetTest, ReopeningUnderAnotherAlias) {
    Cursor owners(*set, "owners");
    owners.open();
    owners.append();
    owners.field("Title").setString("home owner");
    owners.post();

    auto exp = makeSet("Rectixexp");
    for (const auto& t : exp->schema()) exp->createTableFile(t.name);
    EXPECT_THROW(set->setAlias("Rectixexp"), DatabaseError); // only while closed
    set->close();
    EXPECT_FALSE(owners.isOpen());
    set->setAlias("Rectixexp");
    set->open();
    owners.open();
    EXPECT_TRUE(owners.isEmpty());
    set->close();
    set->setAlias("RectixB");
    set->open();
    owners.open();
    EXPECT_EQ(owners.field("Title").asString(), "home owner");
}

TEST_F(DatasetTest, EmptyTableRemovesEveryRow) {
    Cursor parts(*set, "parts");
    parts.open();
    addPart(parts, "a", 1, 1);
    addPart(parts, "b", 2, 2);
    set->emptyTable("parts");
    EXPECT_EQ(parts.recordCount(), 0u);
    parts.refresh();
    EXPECT_TRUE(parts.field("Name").isNull());
}

TEST_F(DatasetTest, IntegrityCheckFindsDamage) {
    Cursor parts(*set, "parts");
    parts.open();
    {
        Transaction tx(*set);
        for (int i = 0; i < 300; ++i) addPart(parts, "p" + std::to_string(i), i, i);
        tx.commit();
    }
    EXPECT_TRUE(set->checkTableFile("parts").empty());
    set->close();
    EXPECT_TRUE(set->checkTableFile("parts").empty());

    {
        std::fstream f(root / "data/home/parts.db", std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(4096 * 3); // the index and the rows after the first pages
        const std::string junk(8192, '\x5a');
        f.write(junk.data(), static_cast<std::streamsize>(junk.size()));
    }
    EXPECT_FALSE(set->checkTableFile("parts").empty());
}

TEST_F(DatasetTest, CopiedTableFileIsWholeOrTheOldOneStays) {
    Cursor parts(*set, "parts");
    parts.open();
    addPart(parts, "home", 10, 20);
    auto exp = makeSet("Rectixexp");
    for (const auto& t : exp->schema()) exp->createTableFile(t.name);
    {
        exp->open();
        Cursor old(*exp, "parts");
        old.open();
        addPart(old, "old", 1, 1);
        exp->close();
    }

    // From the open home set into the closed export set.
    set->copyTableFileTo("parts", *exp);
    exp->open();
    {
        Cursor copied(*exp, "parts");
        copied.open();
        ASSERT_EQ(copied.recordCount(), 1u);
        EXPECT_EQ(copied.field("Name").asString(), "home");
    }
    EXPECT_THROW(set->copyTableFileTo("parts", *exp), DatabaseError); // the target is open
    exp->close();

    // A damaged source: refused, the target unchanged and no part file left.
    set->close();
    const auto target = root / "data/export/parts.db";
    const auto before = fs::file_size(target);
    {
        std::ofstream junk(root / "data/home/parts.db", std::ios::binary | std::ios::trunc);
        junk << std::string(8192, 'x');
    }
    EXPECT_THROW(set->copyTableFileTo("parts", *exp), DatabaseError);
    EXPECT_EQ(fs::file_size(target), before);
    EXPECT_TRUE(leftoversIn(root / "data/export").empty());
    exp->open();
    Cursor stays(*exp, "parts");
    stays.open();
    EXPECT_EQ(stays.field("Name").asString(), "home");
}

TEST_F(DatasetTest, CopyIntoAFileAnotherProgramHoldsIsBusy) {
    auto exp = makeSet("Rectixexp");
    for (const auto& t : exp->schema()) exp->createTableFile(t.name);
    const pid_t holder = holdWithProbe("Rectixexp");
    ASSERT_GT(holder, 0);
    EXPECT_THROW(set->copyTableFileTo("parts", *exp), BusyError);
    EXPECT_TRUE(leftoversIn(root / "data/export").empty());
    kill(holder, SIGTERM);
    waitpid(holder, nullptr, 0);
    set->copyTableFileTo("parts", *exp);
}

TEST_F(DatasetTest, TransactionThatThrowsLeavesEveryTableAsItWas) {
    Cursor owners(*set, "owners");
    Cursor holds(*set, "holds");
    owners.open();
    holds.open();
    owners.append();
    owners.field("Title").setString("kept");
    owners.post();

    try {
        Transaction tx(*set);
        owners.edit();
        owners.field("Title").setString("changed");
        owners.post();
        holds.append();
        holds.field("OwnerID").setInteger(1);
        holds.field("PartID").setInteger(7);
        holds.post();
        throw std::runtime_error("midway");
    } catch (const std::runtime_error&) {
    }
    owners.refresh();
    EXPECT_EQ(owners.field("Title").asString(), "kept");
    EXPECT_EQ(holds.recordCount(), 0u);

    {
        Transaction tx(*set);
        holds.append();
        holds.field("OwnerID").setInteger(1);
        holds.field("PartID").setInteger(8);
        holds.post();
        {
            Transaction inner(*set); // rolled back alone
            holds.append();
            holds.field("OwnerID").setInteger(1);
            holds.field("PartID").setInteger(9);
            holds.post();
        }
        tx.commit();
    }
    set->close();
    set->open();
    holds.open();
    ASSERT_EQ(holds.recordCount(), 1u);
    EXPECT_EQ(holds.field("PartID").asInteger(), 8);
}

TEST_F(DatasetTest, KeyViolationLeavesTheRecordToFix) {
    Cursor holds(*set, "holds");
    holds.open();
    for (int i = 0; i < 2; ++i) {
        holds.append();
        holds.field("OwnerID").setInteger(1);
        holds.field("PartID").setInteger(5);
        if (i == 0) holds.post();
    }
    EXPECT_THROW(holds.post(), KeyViolation);
    EXPECT_EQ(holds.state(), CursorState::Insert);
    holds.field("PartID").setInteger(6);
    holds.post();
    EXPECT_EQ(holds.recordCount(), 2u);
}

namespace rectix::dataset::test {

// SQLite opens a file it may not write read-only without a word: the set is
// refused at its opening, not when the first write ends.
TEST_F(DatasetTest, ASetThatCannotBeWrittenIsRefusedAtOpen) {
    set->close();
    const fs::path home = root / "data/home";
    for (const fs::path& folder : {root, root / "data", home}) fs::permissions(folder, fs::perms::all);
    for (const auto& e : fs::directory_iterator(home))
        fs::permissions(e.path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    auto refusal = [&] {
        const Unprivileged as;
        try {
            set->open();
        } catch (const ReadOnlyError& e) {
            return std::string(e.what());
        }
        return std::string("opened");
    };
    EXPECT_NE(refusal().find(".db cannot be written"), std::string::npos);
    EXPECT_FALSE(set->isOpen());

    for (const auto& e : fs::directory_iterator(home)) fs::permissions(e.path(), fs::perms::all);
    fs::permissions(home, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
    EXPECT_NE(refusal().find("the folder " + home.string() + " cannot be written"), std::string::npos);
    fs::permissions(home, fs::perms::all);
    set->open();
}

// A commit over several files leaves a super-journal beside the first file
// when it is killed at the wrong moment; the next opening removes it. Only
// SQLite's own go: a name of another shape, a folder, a link, another user's
// file and one that a journal of the set still names stay.
TEST_F(DatasetTest, OpeningRemovesASuperJournalThatAKillLeftBehind) {
    set->close();
    const fs::path home = root / "data/home";
    const std::string mainFile = set->schema().front().fileName();
    const fs::path stale = home / (mainFile + "-mj0A1B2C93D");
    std::ofstream(stale) << (home / "gone.db-journal").string() << '\0';
    const std::vector<fs::path> kept = {home / "notes-mj1",
                                        home / (mainFile + "-mjnotes.txt"),
                                        home / (mainFile + "-mj0a1b2c93d"),
                                        home / (mainFile + "-mj0A1B2C93E"),
                                        home / (mainFile + "-mj0A1B2C93F"),
                                        home / (mainFile + "-mj11111199A"),
                                        home / (mainFile + "-mj22222292B")};
    std::ofstream(kept[0]) << "not a journal of the set";
    std::ofstream(kept[1]) << "the user's notes";
    std::ofstream(kept[2]) << "lower case";
    fs::create_directory(kept[3]);
    fs::create_symlink(stale, kept[4]);
    std::ofstream(kept[5]) << "named";
    std::ofstream(home / (set->schema().back().fileName() + "-journal")) << '\0' << kept[5].string() << '\0';
    std::ofstream(kept[6]) << "another user's";
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(kept[6].c_str(), 65534, 65534), 0);
    }
    set->open();
    EXPECT_FALSE(fs::exists(stale));
    for (const fs::path& file : kept)
        EXPECT_EQ(fs::symlink_status(file).type() != fs::file_type::not_found,
                  file != kept[6] || ::geteuid() == 0)
            << file;
}

// A killed copy or export leaves its part file, the part's journal and kept copies beside the
// table files; a copy into the set removes those of the file it replaces, and opening the set
// removes all of them. Those of a writer still at work and the user's files stay.
TEST_F(DatasetTest, WhatKilledWritersLeftBesideTheTableFilesGoesWhenTheyAreWrittenOrOpened) {
    auto exp = makeSet("Rectixexp");
    for (const auto& t : exp->schema()) exp->createTableFile(t.name);
    const std::string dead = std::to_string(deadProcess()), alive = std::to_string(::getppid());
    const fs::path folder = root / "data/export";
    const std::vector<std::string> killed = {".parts.db." + dead + "-Ab3dEf.part",
                                             ".parts.db." + dead + "-Ab3dEf.part-journal",
                                             ".parts.db." + dead + "-Zz9zZz.undo"};
    const std::vector<std::string> kept = {".parts.db." + alive + "-Ab3dEf.part", "parts.db.part",
                                           ".parts.db." + dead + "-backup.old"};
    for (const auto& names : {killed, kept})
        for (const std::string& name : names) std::ofstream(folder / name) << "left";

    set->copyTableFileTo("parts", *exp);
    for (const std::string& name : killed)
        EXPECT_EQ(fs::exists(folder / name), name.ends_with(".undo")) << name;
    exp->open();
    for (const std::string& name : killed) EXPECT_FALSE(fs::exists(folder / name)) << name;
    for (const std::string& name : kept) EXPECT_TRUE(fs::exists(folder / name)) << name;
}

} // namespace rectix::dataset::test
