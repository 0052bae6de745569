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

// The real file system, except that one chosen step fails with a chosen error. A failing
// write first writes half of the data, as a disk that fills up does.
class FaultyFileSystem final : public FileSystem {
public:
    Step failing = Step::Read;
    int error = 0; // 0: nothing fails
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
        // The descriptor is released even when closing reports an error.
        const int result = real_.close(fd);
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

struct Failure {
    const char* name;
    Step step;
    int error;
    const char* cause;
};

void PrintTo(const Failure& f, std::ostream* os) {
    *os << f.name;
}

using Operation = std::function<void(MachineStore&)>;

const std::vector<std::pair<const char*, Operation>> kOperations = {
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

class SafeWriteTest : public ::testing::TestWithParam<Failure> {
protected:
    void SetUp() override {
        test::LibBytes file(test::LibBytes::slotAt(3) + 6);
        file.record(5, "", 0, 3);
        for (int i = 1; i <= 3; ++i) {
            file.machine(i, "M" + std::to_string(i), 15, 3);
            file.slot(i, {20 + i, 30 + i, 40 + i});
        }
        original_ = file.bytes;
    }

    std::string path() const { return (dir_.path() / "system.lib").string(); }

    test::TempDir dir_;
    std::string original_;
};

TEST_P(SafeWriteTest, AFailedStepLeavesFileTableAndFolderAsTheyWere) {
    const Failure& failure = GetParam();
    for (const auto& [name, operation] : kOperations) {
        SCOPED_TRACE(name);
        test::writeFile(path(), original_);
        FaultyFileSystem fs;
        MachineStore store = MachineStore::open(path(), fs);
        const auto before = store.machines();
        fs.failing = failure.step;
        fs.error = failure.error;
        try {
            operation(store);
            ADD_FAILURE() << "the failure was not reported";
        } catch (const StoreError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(path()), std::string::npos) << message;
            EXPECT_NE(message.find(failure.cause), std::string::npos) << message;
        }
        EXPECT_TRUE(test::sameBytes(test::readFile(path()), original_));
        EXPECT_EQ(dir_.entries(), std::vector<std::string>{"system.lib"});
        ASSERT_EQ(store.machines().size(), before.size());
        for (std::size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(store.machines()[i].rawName, before[i].rawName);
            EXPECT_EQ(store.machines()[i].gearCount, before[i].gearCount);
        }
        // With the fault gone, the same operation succeeds on the same store.
        fs.error = 0;
        operation(store);
        EXPECT_FALSE(test::readFile(path()) == original_);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SafeWriteTest,
    ::testing::Values(Failure{"FileRemoved", Step::Read, ENOENT, "不存在"},
                      Failure{"FileUnreadable", Step::Read, EACCES, "没有访问权限"},
                      Failure{"FileReadOnly", Step::CheckWritable, EACCES, "无法写入"},
                      Failure{"FolderReadOnly", Step::CreateTemp, EROFS, "只读"},
                      Failure{"DiskFull", Step::Write, ENOSPC, "磁盘已满"},
                      Failure{"ModeRefused", Step::SetMode, EPERM, "权限"},
                      Failure{"FlushFails", Step::Sync, EIO, "磁盘读写出错"},
                      Failure{"CloseFails", Step::Close, EDQUOT, "磁盘配额"},
                      Failure{"RenameFails", Step::Rename, EBUSY, "正被占用"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SafeWriteFolderTest, AFolderThatCannotBeFlushedDoesNotUndoTheSave) {
    test::TempDir dir;
    const std::string path = (dir.path() / "system.lib").string();
    MachineStore::createFile(path, {{"A", 15, {20}}, {"B", 15, {30}}});
    FaultyFileSystem fs;
    fs.folderSyncFails = true;
    MachineStore store = MachineStore::open(path, fs);
    store.deleteMachine(0);
    EXPECT_EQ(store.machines().size(), 1U);
    EXPECT_EQ(MachineStore::open(path).machines()[0].name, "B");
}

} // namespace
} // namespace gearsel
