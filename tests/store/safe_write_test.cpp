// Crash safety: every step of a save is made to fail in turn, and the file, the table in
// memory and the folder must be exactly as before.

#include "lib_bytes.h"
#include "store/machine_store.h"
#include "store/posix_file_system.h"
#include "store/store_error.h"

#include <cerrno>
#include <functional>
#include <gtest/gtest.h>

namespace gearsel {
namespace {

enum class Step { Read, CheckWritable, CreateTemp, Write, SetMode, Sync, Close, Rename };

// The real file system, except that step `failing` fails with `error` (when not 0). A failing
// write first writes half of the data, as a disk that fills up does.
class FaultyFileSystem final : public FileSystem {
public:
    Step failing = Step::Read;
    int error = 0;
    bool folderSyncFails = false;

    int readFile(const std::string& path, std::size_t maxSize, std::string& bytes,
                 mode_t& mode) override {
        return fail(Step::Read) ? error : real_.readFile(path, maxSize, bytes, mode);
    }
    int checkWritable(const std::string& path) override {
        return fail(Step::CheckWritable) ? error : real_.checkWritable(path);
    }
    int createTemp(std::string& pathTemplate, int& fd) override {
        return fail(Step::CreateTemp) ? error : real_.createTemp(pathTemplate, fd);
    }
    int writeAll(int fd, std::string_view bytes) override {
        if (fail(Step::Write)) {
            real_.writeAll(fd, bytes.substr(0, bytes.size() / 2));
            return error;
        }
        return real_.writeAll(fd, bytes);
    }
    int setMode(int fd, mode_t mode) override {
        return fail(Step::SetMode) ? error : real_.setMode(fd, mode);
    }
    int sync(int fd) override { return fail(Step::Sync) ? error : real_.sync(fd); }
    int close(int fd) override {
        const int result = real_.close(fd); // released even when closing reports an error
        return fail(Step::Close) ? error : result;
    }
    int rename(const std::string& from, const std::string& to) override {
        return fail(Step::Rename) ? error : real_.rename(from, to);
    }
    int link(const std::string& from, const std::string& to) override {
        return real_.link(from, to);
    }
    int remove(const std::string& path) override { return real_.remove(path); }
    int syncFolder(const std::string& folder) override {
        return folderSyncFails ? EIO : real_.syncFolder(folder);
    }

private:
    bool fail(Step step) const { return error != 0 && step == failing; }

    PosixFileSystem real_;
};

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
