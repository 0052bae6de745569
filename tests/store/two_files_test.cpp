// SPDX-License-Identifier: GPL-3.0-or-later
// The data file and its constants file as a pair on a real disk: what a save rewrites and what
// it leaves alone, whose constants file is trusted, files with several names, and the leftovers
// of saves of either file that were cut short.

#include "lib_bytes.h"
#include "store/machine_store.h"
#include "store/store_error.h"
#include "store_error_text.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace gearsel {
namespace {

MachineConstants leadscrew(const char* text) {
    MachineConstants constants;
    setConstantText(constants, ConstantKey::Leadscrew, text);
    return constants;
}

class TwoFilesTest : public test::FolderTest {
protected:
    void SetUp() override {
        MachineStore::createFile(lib(), {{"A", 15, {20, 30}}, {"B", 15, {40}}});
        MachineStore::open(lib()).setConstants(0, leadscrew("6mm"));
    }
    std::string sidecar() const { return (dir / "system.lib.constants.json").string(); }
    static ino_t inode(const std::string& path) {
        struct stat info {};
        EXPECT_EQ(::stat(path.c_str(), &info), 0);
        return info.st_ino;
    }
};

TEST_F(TwoFilesTest, AConstantsFileIsRewrittenOnlyWhenWhatItSaysChanges) {
    // The same entry as the program writes it, but laid out by hand, keys in another order.
    const std::string byHand = "{ \"version\": 1, \"format\": \"gearsel machine constants\",\n"
                               "  \"machines\": [ { \"name\": \"A\", \"leadscrew\": \"6mm\", "
                               "\"machine\": 1 } ] }\n";
    test::writeFile(sidecar(), byHand);
    const ino_t handInode = inode(sidecar());
    MachineStore store = MachineStore::open(lib());
    const std::pair<const char*, std::function<void()>> unrelated[] = {
        {"add", [&] { store.addMachine("C", 15, {50}); }},
        {"set gears", [&] { store.setGearList(0, {25}); }},
        {"rename a machine without constants", [&] { store.renameMachine(1, "B2"); }},
        {"copy a machine without constants", [&] { store.copyMachine(1, "B3"); }},
        {"delete the last machine, which has none", [&] { store.deleteMachine(3); }},
        {"set the constants it has", [&] { store.setConstants(0, leadscrew("6mm")); }},
    };
    for (const auto& [name, change] : unrelated) {
        change();
        EXPECT_EQ(test::readFile(sidecar()), byHand) << name;
        EXPECT_EQ(inode(sidecar()), handInode) << name;
    }
    // A change that moves the constants rewrites it.
    store.copyMachine(0, "A2");
    EXPECT_NE(test::readFile(sidecar()), byHand);
    EXPECT_EQ(constantText(store.constants(3), ConstantKey::Leadscrew), "6mm");
}

// As root (as CI runs), files can be given to other users.
TEST_F(TwoFilesTest, AConstantsFileOfAnotherUserIsTrustedOnlyInAFolderStrangersCannotWrite) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving files to other users needs root";
    }
    constexpr uid_t kOther = 65534; // nobody
    constexpr uid_t kThird = 65533;
    struct Case {
        const char* name;
        mode_t folderMode;
        uid_t dataOwner;
        uid_t constantsOwner;
        bool trusted;
    };
    // A folder where anyone may make files (sticky, as /tmp or a /shared), and a workshop's
    // group folder, where only the members may.
    constexpr mode_t kAnyone = 01777;
    constexpr mode_t kGroup = 02775;
    const Case cases[] = {
        {"both mine", kAnyone, 0, 0, true},
        {"both the other user's", kAnyone, kOther, kOther, true},
        {"data file the other user's, constants file mine", kAnyone, kOther, 0, true},
        {"planted by another user beside my data file", kAnyone, 0, kOther, false},
        {"planted by a third user beside the other user's data", kAnyone, kOther, kThird, false},
        {"saved last by another member of the group folder", kGroup, 0, kOther, true},
        {"members' saves in the group folder", kGroup, kOther, kThird, true},
    };
    const std::string data = onDisk();
    const std::string constants = test::readFile(sidecar());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(::chmod(dir.c_str(), c.folderMode), 0);
        test::writeFile(lib(), data);
        test::writeFile(sidecar(), constants);
        ASSERT_EQ(::chown(lib().c_str(), c.dataOwner, 0), 0);
        ASSERT_EQ(::chown(sidecar().c_str(), c.constantsOwner, 0), 0);
        MachineStore store = MachineStore::open(lib());
        if (c.trusted) {
            EXPECT_EQ(constantText(store.constants(0), ConstantKey::Leadscrew), "6mm");
            continue;
        }
        try {
            store.constants(0);
            ADD_FAILURE() << "the constants were used";
        } catch (const StoreError& e) {
            const std::string owner = c.constantsOwner == kOther ? "nobody" : "65533";
            EXPECT_EQ(e.problem().kind, StoreProblem::Kind::ConstantsOfStranger);
            EXPECT_EQ(e.problem().file, sidecar());
            EXPECT_EQ(e.problem().owner, owner);
            EXPECT_EQ(e.problem().user, "root");
            const std::string chinese = storeProblemText(e.problem(), Language::Chinese);
            const std::string english = storeProblemText(e.problem(), Language::English);
            EXPECT_NE(chinese.find("文件“" + sidecar() + "”属于用户“" + owner), std::string::npos)
                << chinese;
            EXPECT_NE(english.find(sidecar() + ": belongs to the user '" + owner + "'"),
                      std::string::npos)
                << english;
        }
        // Nothing moves constants on its word; changes that touch none go ahead.
        EXPECT_THROW(store.copyMachine(0, "Copy"), StoreError);
        store.setGearList(1, {45});
        EXPECT_EQ(test::readFile(sidecar()), constants);
    }
    ASSERT_EQ(::chmod(dir.c_str(), 0755), 0);
}

TEST_F(TwoFilesTest, AFileWithSeveralNamesIsRefusedBeforeAnythingIsWritten) {
    const std::string data = onDisk();
    const std::string constants = test::readFile(sidecar());
    const std::string other = (dir / "other.lib").string();
    ASSERT_EQ(::link(lib().c_str(), other.c_str()), 0);
    MachineStore store = MachineStore::open(lib());
    try {
        store.addMachine("C", 15, {50});
        ADD_FAILURE() << "a save split the file's names";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.problem().kind, StoreProblem::Kind::HardLinks);
        EXPECT_EQ(e.problem().count, 2);
        EXPECT_NE(storeProblemText(e.problem(), Language::Chinese).find("它有 2 个硬链接"),
                  std::string::npos);
        EXPECT_NE(storeProblemText(e.problem(), Language::English)
                      .find("cannot be saved: it has 2 hard links"),
                  std::string::npos);
    }
    EXPECT_THROW(store.copyMachine(0, "A2"), StoreError); // would write both files
    EXPECT_EQ(inode(lib()), inode(other));
    EXPECT_TRUE(test::sameBytes(onDisk(), data));
    EXPECT_EQ(test::readFile(sidecar()), constants);
    EXPECT_EQ(store.machines().size(), 2U);

    // A constants file with a second name: what would write it is refused, the rest goes ahead.
    ASSERT_EQ(::unlink(other.c_str()), 0);
    const std::string otherConstants = (dir / "kept.json").string();
    ASSERT_EQ(::link(sidecar().c_str(), otherConstants.c_str()), 0);
    EXPECT_THROW(store.setConstants(1, leadscrew("10mm")), StoreError);
    EXPECT_THROW(store.renameMachine(0, "A1"), StoreError);
    EXPECT_TRUE(test::sameBytes(onDisk(), data));
    store.setGearList(1, {45});
    EXPECT_EQ(inode(sidecar()), inode(otherConstants));
    EXPECT_EQ(test::readFile(sidecar()), constants);
}

TEST_F(TwoFilesTest, EverySaveClearsTheLeftoversOfBothFiles) {
    const std::vector<std::string> leftovers = {".system.lib.new-a1b2c3",
                                                ".system.lib.constants.json.new-d4e5f6"};
    const std::vector<std::string> kept = {".system.lib.lock", "system.lib",
                                           "system.lib.constants.json"};
    const std::pair<const char*, std::function<void(MachineStore&)>> saves[] = {
        {"the data file alone", [](MachineStore& s) { s.setGearList(1, {45}); }},
        {"the constants file alone", [](MachineStore& s) { s.setConstants(1, leadscrew("12mm")); }},
        {"both", [](MachineStore& s) { s.deleteMachine(1); }},
    };
    for (const auto& [name, save] : saves) {
        for (const std::string& leftover : leftovers) {
            test::writeFile(dir / leftover, "cut short");
        }
        MachineStore store = MachineStore::open(lib());
        save(store);
        EXPECT_EQ(entries(), kept) << name;
    }
}

} // namespace
} // namespace gearsel
