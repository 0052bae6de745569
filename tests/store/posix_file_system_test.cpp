// SPDX-License-Identifier: GPL-3.0-or-later
// The real file system's calls report each failure as the errno value that the store turns
// into its messages, and succeed where they should.

#include "lib_bytes.h"
#include "store/posix_file_system.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace gearsel {
namespace {

class PosixFileSystemTest : public test::FolderTest {
protected:
    std::string at(const std::string& name) const { return (dir / name).string(); }
    PosixFileSystem fs;
};

TEST_F(PosixFileSystemTest, ReadingReportsMissingOversizedAndOtherKinds) {
    std::string bytes;
    FileInfo info;
    EXPECT_EQ(fs.readFile(at("missing"), 100, bytes, info), ENOENT);
    EXPECT_EQ(fs.readFile(at("missing/inner"), 100, bytes, info), ENOENT);
    test::writeFile(at("file"), "0123456789");
    EXPECT_EQ(fs.readFile(at("file/inner"), 100, bytes, info), ENOTDIR);
    EXPECT_EQ(fs.readFile(at("file"), 9, bytes, info), EFBIG);
    EXPECT_EQ(fs.readFile(at("file"), 10, bytes, info), 0);
    EXPECT_EQ(bytes, "0123456789");
    EXPECT_EQ(info.kind, FileKind::Regular);
    // Anything else is no error of the call: the caller looks at the kind and refuses.
    ASSERT_EQ(::mkfifo(at("fifo").c_str(), 0600), 0);
    EXPECT_EQ(fs.readFile(at("fifo"), 100, bytes, info), 0);
    EXPECT_EQ(info.kind, FileKind::Pipe);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(fs.readFile(dir.string(), 100, bytes, info), 0);
    EXPECT_EQ(info.kind, FileKind::Folder);
}

TEST_F(PosixFileSystemTest, SavingStepsReportTheirFailures) {
    std::string pattern = at("missing/.x.XXXXXX");
    int fd = -1;
    EXPECT_EQ(fs.createTemp(pattern, fd), ENOENT);
    EXPECT_EQ(fs.rename(at("missing"), at("other")), ENOENT);
    test::writeFile(at("a"), "a");
    test::writeFile(at("b"), "b");
    EXPECT_EQ(fs.link(at("a"), at("b")), EEXIST);
    EXPECT_EQ(fs.remove(at("missing")), ENOENT);
    EXPECT_EQ(fs.syncFolder(at("missing")), ENOENT);
    EXPECT_EQ(fs.close(-1), EBADF);
    EXPECT_EQ(fs.writeAll(-1, "x"), EBADF);

    pattern = at(".x.XXXXXX");
    ASSERT_EQ(fs.createTemp(pattern, fd), 0);
    EXPECT_EQ(pattern.find("XXXXXX"), std::string::npos);
    EXPECT_EQ(fs.writeAll(fd, "new"), 0);
    EXPECT_EQ(fs.setMode(fd, 0640), 0);
    EXPECT_EQ(fs.sync(fd), 0);
    EXPECT_EQ(fs.close(fd), 0);
    EXPECT_EQ(fs.rename(pattern, at("a")), 0);
    EXPECT_EQ(test::readFile(at("a")), "new");
}

TEST_F(PosixFileSystemTest, ASecondLockWaitsThenGivesUp) {
    int first = -1;
    ASSERT_EQ(fs.lockFile(at(".lock"), std::chrono::milliseconds(0), first), 0);
    int second = -1;
    EXPECT_EQ(fs.lockFile(at(".lock"), std::chrono::milliseconds(50), second), EWOULDBLOCK);
    EXPECT_EQ(fs.close(first), 0);
    ASSERT_EQ(fs.lockFile(at(".lock"), std::chrono::milliseconds(0), second), 0);
    EXPECT_EQ(fs.close(second), 0);
    EXPECT_EQ(fs.lockFile(at("missing/.lock"), std::chrono::milliseconds(0), second), ENOENT);
}

} // namespace
} // namespace gearsel
