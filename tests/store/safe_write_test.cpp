// Crash safety: every step of a save is made to fail in turn, and the file, the table in
// memory and the folder must be exactly as before.

#include "faulty_file_system.h"
#include "lib_bytes.h"
#include "store/machine_store.h"
#include "store/store_error.h"

#include <cerrno>
#include <functional>
#include <gtest/gtest.h>

namespace gearsel {
namespace {

using test::FaultyFileSystem;
using test::Step;

using SafeWriteTest = test::FolderTest;

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
        {Step::Read, ENOENT, "不存在"},
        {Step::Read, EACCES, "没有访问权限"},
        {Step::CheckWritable, EACCES, "无法写入"},
        {Step::CreateTemp, EROFS, "只读"},
        {Step::Write, ENOSPC, "磁盘已满"},
        {Step::SetMode, EPERM, "权限"},
        {Step::Sync, EIO, "磁盘读写出错"},
        {Step::Close, EDQUOT, "磁盘配额"},
        {Step::Rename, EBUSY, "正被占用"},
    };
    MachineStore::createFile(lib(), {{"M1", 15, {21, 31}}, {"M2", 15, {22, 32}}, {"M3", 15, {23}}});
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
            const std::string message = test::errorOf<StoreError>([&] { operation(store); });
            EXPECT_NE(message.find(lib()), std::string::npos) << message;
            EXPECT_NE(message.find(cause), std::string::npos) << message;
            EXPECT_TRUE(test::sameBytes(onDisk(), original));
            EXPECT_EQ(entries(), std::vector<std::string>{"system.lib"});
            EXPECT_EQ(test::tableText(store), table);
            // With the fault gone, the same operation succeeds on the same store.
            fs.error = 0;
            operation(store);
            EXPECT_NE(onDisk(), original);
        }
    }
}

TEST_F(SafeWriteTest, AFolderThatCannotBeFlushedDoesNotUndoTheSave) {
    MachineStore::createFile(lib(), {{"A", 15, {20}}, {"B", 15, {30}}});
    FaultyFileSystem fs;
    fs.folderSyncFails = true;
    MachineStore store = MachineStore::open(lib(), fs);
    store.deleteMachine(0);
    EXPECT_EQ(store.machines().size(), 1U);
    EXPECT_EQ(MachineStore::open(lib()).machines()[0].name, "B");
}

} // namespace
} // namespace gearsel
