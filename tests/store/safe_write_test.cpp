// SPDX-License-Identifier: GPL-3.0-or-later
// Crash safety: every step of a save is made to fail in turn, and the file, the table in
// memory and the folder must be exactly as before. Saves keep the owner, the group and the
// mode, and clear away what interrupted saves left behind.

#include "faulty_file_system.h"
#include "lib_bytes.h"
#include "store/machine_store.h"
#include "store/store_error.h"
#include "store_error_text.h"

#include <cerrno>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace gearsel {
namespace {

using test::FaultyFileSystem;
using test::Step;

const std::vector<std::string> kSavedFolder = {".system.lib.lock", "system.lib"};

class SafeWriteTest : public test::FolderTest {
protected:
    void SetUp() override {
        MachineStore::createFile(lib(),
                                 {{"M1", 15, {21, 31}}, {"M2", 15, {22, 32}}, {"M3", 15, {23}}});
    }
    struct stat status() const {
        struct stat info {};
        EXPECT_EQ(::stat(lib().c_str(), &info), 0);
        return info;
    }
};

TEST_F(SafeWriteTest, AFailedStepLeavesFileTableAndFolderAsTheyWere) {
    const std::pair<const char*, std::function<void(MachineStore&)>> operations[] = {
        {"add",
         [](MachineStore& s) {
             s.addMachine("New", 15, {20, 30});
         }},
        {"copy", [](MachineStore& s) { s.copyMachine(0, "Copy"); }},
        {"rename", [](MachineStore& s) { s.renameMachine(1, "Renamed"); }},
        {"delete", [](MachineStore& s) { s.deleteMachine(0); }},
        {"set gears",
         [](MachineStore& s) {
             s.setGearList(2, {90, 80, 70});
         }},
    };
    const std::tuple<Step, int, const char*> failures[] = {
        {Step::Read, ENOENT, "不存在"},    {Step::Read, EACCES, "没有访问权限"},
        {Step::Lock, EACCES, "锁文件"},    {Step::CheckWritable, EACCES, "无法写入"},
        {Step::CreateTemp, EROFS, "只读"}, {Step::Write, ENOSPC, "磁盘已满"},
        {Step::SetOwner, EIO, "所有者"},   {Step::SetMode, EPERM, "权限"},
        {Step::Sync, EIO, "磁盘读写出错"}, {Step::Close, EDQUOT, "磁盘配额"},
        {Step::Rename, EBUSY, "正被占用"},
    };
    const std::string original = onDisk();
    for (const auto& [step, error, cause] : failures) {
        for (const auto& [name, operation] : operations) {
            SCOPED_TRACE(std::string(name) + ", " + cause);
            test::writeFile(lib(), original);
            FaultyFileSystem fs;
            MachineStore store = MachineStore::open(lib(), fs);
            const std::string table = test::tableText(store);
            fs.failing = step;
            fs.error = error;
            const std::string message = test::messageOf([&] { operation(store); });
            EXPECT_NE(message.find(lib()), std::string::npos) << message;
            EXPECT_NE(message.find(cause), std::string::npos) << message;
            EXPECT_TRUE(test::sameBytes(onDisk(), original));
            EXPECT_EQ(entries(), kSavedFolder);
            EXPECT_EQ(test::tableText(store), table);
            // With the fault gone, the same operation succeeds on the same store.
            fs.error = 0;
            operation(store);
            EXPECT_NE(onDisk(), original);
        }
    }
}

TEST_F(SafeWriteTest, AFolderThatCannotBeFlushedDoesNotUndoTheSave) {
    FaultyFileSystem fs;
    fs.folderSyncFails = true;
    MachineStore store = MachineStore::open(lib(), fs);
    store.deleteMachine(0);
    EXPECT_EQ(store.machines().size(), 2U);
    EXPECT_EQ(MachineStore::open(lib()).machines()[0].name, "M2");
}

TEST_F(SafeWriteTest, ASaveRemovesTheTemporaryFilesOfInterruptedSavesOnly) {
    // What a save killed between creating and renaming its temporary file leaves, beside
    // names that only look alike.
    const std::vector<std::string> others = {".system.lib.new-backup1", ".other.lib.new-abc123",
                                             ".system.lib.backup", "system.lib.new-abc123"};
    test::writeFile(dir / ".system.lib.new-k3Xq9Z", std::string(16384, 'x'));
    test::writeFile(dir / ".system.lib.new-000000", "");
    for (const std::string& name : others) {
        test::writeFile(dir / name, "keep");
    }
    MachineStore::open(lib()).renameMachine(0, "Saved");
    std::vector<std::string> expected = others;
    expected.insert(expected.end(), kSavedFolder.begin(), kSavedFolder.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(entries(), expected);
}

// As root (as CI runs), a save keeps a file that belongs to someone else theirs.
TEST_F(SafeWriteTest, ASaveKeepsOwnerGroupAndMode) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a file to another user needs root";
    }
    ASSERT_EQ(::chown(lib().c_str(), 65534, 65533), 0);
    ASSERT_EQ(::chmod(lib().c_str(), 02640), 0);
    MachineStore::open(lib()).addMachine("Mine", 15, {20});
    const struct stat info = status();
    EXPECT_EQ(info.st_uid, 65534U);
    EXPECT_EQ(info.st_gid, 65533U);
    EXPECT_EQ(info.st_mode & 07777, 02640U);
}

// A user who is not root cannot keep another user's ownership: the save goes ahead only when
// the owner keeps its rights through the file's group, which the save keeps.
TEST_F(SafeWriteTest, WithoutRootASaveNeverLocksTheOwnerOut) {
    const passwd* daemon = ::getpwnam("daemon");
    const group* nogroup = ::getgrnam("nogroup");
    if (::geteuid() != 0 || daemon == nullptr || nogroup == nullptr) {
        GTEST_SKIP() << "needs root and the users daemon and nogroup";
    }
    const uid_t owner = daemon->pw_uid;
    const gid_t ownGroup = daemon->pw_gid;
    const gid_t otherGroup = nogroup->gr_gid;
    struct Case {
        const char* name;
        gid_t group;
        mode_t mode;
        const char* refusal; // empty when the save goes ahead
    };
    const Case cases[] = {
        {"owner in the group with the same rights", ownGroup, 0660, ""},
        {"owner not in the group", otherGroup, 0660, "不能通过用户组“nogroup”保留原有的权限"},
        {"the group has fewer rights than the owner", ownGroup, 0640, "请由“daemon”或管理员保存"},
    };
    const std::string original = onDisk();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::writeFile(lib(), original);
        ASSERT_EQ(::chown(lib().c_str(), owner, c.group), 0);
        ASSERT_EQ(::chmod(lib().c_str(), c.mode), 0);
        FaultyFileSystem fs;
        fs.notRoot = true;
        MachineStore store = MachineStore::open(lib(), fs);
        const std::string message = test::messageOf([&] { store.renameMachine(0, "Other"); });
        const struct stat info = status();
        EXPECT_EQ(info.st_gid, c.group);
        EXPECT_EQ(info.st_mode & 07777, c.mode);
        EXPECT_EQ(entries(), kSavedFolder);
        if (*c.refusal == '\0') {
            EXPECT_EQ(message, "");
            EXPECT_EQ(info.st_uid, ::geteuid()); // taken over; the owner still reaches it
        } else {
            EXPECT_NE(message.find(c.refusal), std::string::npos) << message;
            EXPECT_EQ(info.st_uid, owner);
            EXPECT_TRUE(test::sameBytes(onDisk(), original));
        }
    }
}

} // namespace
} // namespace gearsel
