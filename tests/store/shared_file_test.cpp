// SPDX-License-Identifier: GPL-3.0-or-later
// One data file, several stores on it, as the window and gearsel-cli runs share system.lib:
// every change lands on the table as the file holds it, a change aimed at a machine that
// another program changed is refused, the store tells when the file changed, a held lock
// makes a writer give up, and files that are no data file at all are refused at once.

#include "lib_bytes.h"
#include "store/file_lock.h"
#include "store/machine_store.h"
#include "store/posix_file_system.h"
#include "store/store_conflict.h"
#include "store_error_text.h"

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace gearsel {
namespace {

using Gears = std::vector<std::int16_t>;
using Change = std::function<void(MachineStore&)>;

// Machine names and gear lists of a file, as one text, to compare whole tables.
std::string contents(const std::string& path) {
    MachineStore store = MachineStore::open(path);
    std::string text;
    for (std::size_t i = 0; i < store.machines().size(); ++i) {
        text += store.machines()[i].name + ":" + std::to_string(store.machines()[i].zn);
        for (const std::int16_t tooth : store.gearList(static_cast<int>(i))) {
            text += " " + std::to_string(tooth);
        }
        text += "\n";
    }
    return text;
}

class SharedFileTest : public test::FolderTest {
protected:
    void SetUp() override {
        MachineStore::createFile(
            lib(),
            {{"A", 11, {20, 21}}, {"B", 12, {30, 31}}, {"C", 13, {40, 41}}, {"D", 14, {50, 51}}});
    }
};

TEST_F(SharedFileTest, EveryChangeKeepsWhatAnotherProgramWroteMeanwhile) {
    // The window's store opens first; another program then replaces C's gears and adds E;
    // the window's change, aimed at another machine, is made on the table as the file holds it.
    const std::string a = "A:11 20 21\n", b = "B:12 30 31\n", c = "C:13 44 45\n",
                      d = "D:14 50 51\n", e = "E:15 70\n";
    const std::tuple<const char*, Change, std::string> windowChanges[] = {
        {"add", [](MachineStore& s) { s.addMachine("W", 15, {60}); },
         a + b + c + d + e + "W:15 60\n"},
        {"copy", [](MachineStore& s) { s.copyMachine(0, "W"); },
         a + b + c + d + e + "W:11 20 21\n"},
        {"rename", [](MachineStore& s) { s.renameMachine(1, "W"); },
         a + "W:12 30 31\n" + c + d + e},
        {"delete", [](MachineStore& s) { s.deleteMachine(1); }, a + c + d + e},
        {"set gears", [](MachineStore& s) { s.setGearList(3, {60}); }, a + b + c + "D:14 60\n" + e},
    };
    const std::string original = onDisk();
    for (const auto& [name, change, expected] : windowChanges) {
        SCOPED_TRACE(name);
        test::writeFile(lib(), original);
        MachineStore window = MachineStore::open(lib());
        MachineStore other = MachineStore::open(lib());
        other.setGearList(2, {45, 44});
        other.addMachine("E", 15, {70});
        change(window);
        EXPECT_EQ(contents(lib()), expected);
        EXPECT_EQ(test::tableText(window), test::tableText(MachineStore::open(lib())));
        EXPECT_TRUE(window.sawOtherChanges());
        window.renameMachine(0, "A");
        EXPECT_FALSE(window.sawOtherChanges());
    }
}

TEST_F(SharedFileTest, AChangeAimedAtAMachineThatChangedIsRefused) {
    struct OtherChange {
        const char* name;
        Change change;
        std::vector<int> changed; // indices whose machine is no longer the one read before
    };
    const OtherChange otherChanges[] = {
        {"B renamed", [](MachineStore& s) { s.renameMachine(1, "B2"); }, {1}},
        {"B's gears replaced",
         [](MachineStore& s) {
             s.setGearList(1, {30, 32});
         },
         {1}},
        {"B deleted", [](MachineStore& s) { s.deleteMachine(1); }, {1, 2, 3}},
        {"A deleted", [](MachineStore& s) { s.deleteMachine(0); }, {0, 1, 2, 3}},
        {"D deleted", [](MachineStore& s) { s.deleteMachine(3); }, {3}},
    };
    struct WindowChange {
        const char* name;
        int target;
        Change change;
    };
    const WindowChange windowChanges[] = {
        {"read B", 1, [](MachineStore& s) { s.gearList(1); }},
        {"copy B", 1, [](MachineStore& s) { s.copyMachine(1, "W"); }},
        {"rename B", 1, [](MachineStore& s) { s.renameMachine(1, "W"); }},
        {"delete B", 1, [](MachineStore& s) { s.deleteMachine(1); }},
        {"set B's gears", 1, [](MachineStore& s) { s.setGearList(1, {60}); }},
        {"rename D", 3, [](MachineStore& s) { s.renameMachine(3, "W"); }},
    };
    const std::string original = onDisk();
    for (const OtherChange& other : otherChanges) {
        for (const WindowChange& mine : windowChanges) {
            SCOPED_TRACE(std::string(mine.name) + " after " + other.name);
            test::writeFile(lib(), original);
            MachineStore window = MachineStore::open(lib());
            MachineStore writer = MachineStore::open(lib());
            other.change(writer);
            EXPECT_TRUE(window.fileChanged());
            if (std::find(other.changed.begin(), other.changed.end(), mine.target) ==
                other.changed.end()) {
                EXPECT_NO_THROW(mine.change(window)); // its machine is as it was
                continue;
            }
            const std::string changedFile = onDisk();
            const std::string table = test::tableText(window);
            std::optional<StoreProblem> conflict;
            try {
                mine.change(window);
            } catch (const StoreConflict& e) {
                conflict = e.problem();
            }
            ASSERT_TRUE(conflict);
            EXPECT_EQ(conflict->kind, StoreProblem::Kind::MachineChanged);
            EXPECT_EQ(conflict->file, lib());
            EXPECT_EQ(conflict->machine, mine.target);
            EXPECT_EQ(conflict->name,
                      window.machines()[static_cast<std::size_t>(mine.target)].name);
            const std::string message = storeProblemText(*conflict, Language::Chinese);
            EXPECT_NE(message.find("已被另一个程序修改"), std::string::npos) << message;
            EXPECT_TRUE(test::sameBytes(onDisk(), changedFile));
            EXPECT_EQ(test::tableText(window), table);
            // Read anew, the store shows what is stored, and a change can be made again.
            window.reload();
            EXPECT_FALSE(window.fileChanged());
            EXPECT_EQ(test::tableText(window), test::tableText(writer));
            if (mine.target < static_cast<int>(window.machines().size())) {
                EXPECT_NO_THROW(mine.change(window));
            }
        }
    }
}

TEST_F(SharedFileTest, FileChangedNoticesOtherWritersOnly) {
    MachineStore window = MachineStore::open(lib());
    EXPECT_FALSE(window.fileChanged());
    window.renameMachine(0, "A1"); // its own write
    EXPECT_FALSE(window.fileChanged());
    // The same bytes written anew, with another modification time: nothing to reload.
    const std::string same = onDisk();
    test::writeFile(lib(), same);
    ::utimensat(AT_FDCWD, lib().c_str(), nullptr, 0);
    EXPECT_FALSE(window.fileChanged());
    MachineStore::open(lib()).setGearList(3, {55});
    EXPECT_TRUE(window.fileChanged());
    window.reload();
    EXPECT_FALSE(window.fileChanged());
    std::filesystem::remove(lib());
    EXPECT_TRUE(window.fileChanged());
    EXPECT_THROW(window.reload(), StoreError);
    EXPECT_EQ(window.machines().size(), 4U);
}

TEST_F(SharedFileTest, AWriterGivesUpWhileAnotherHoldsTheLock) {
    MachineStore store = MachineStore::open(lib());
    store.setLockTimeout(std::chrono::milliseconds(300));
    const std::string before = onDisk();
    {
        const FileLock held =
            FileLock::acquire(posixFileSystem(), lib(), std::chrono::milliseconds(0));
        const auto start = std::chrono::steady_clock::now();
        const std::string message = test::messageOf([&] { store.addMachine("X", 15, {20}); });
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
        const std::string lockFile = (dir / ".system.lib.lock").string();
        EXPECT_NE(
            message.find("正被另一个程序修改（它占用着锁文件“" + lockFile + "”），等了 300 毫秒"),
            std::string::npos)
            << message;
        EXPECT_THROW(store.withLock([] {}), StoreError);
        EXPECT_TRUE(test::sameBytes(onDisk(), before));
        EXPECT_EQ(store.machines().size(), 4U);
    }
    // Under withLock the store's own changes use the lock it holds.
    store.withLock([&] {
        store.deleteMachine(0);
        store.addMachine("X", 15, {20});
    });
    EXPECT_EQ(test::tableText(store), test::tableText(MachineStore::open(lib())));
}

TEST_F(SharedFileTest, WhatIsNoRegularFileIsRefusedAtOnce) {
    const std::string fifo = (dir / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string socketPath = (dir / "socket").string();
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    const std::pair<std::string, const char*> cases[] = {
        {fifo, "命名管道"},
        {dir.string(), "文件夹"},
        {"/dev/zero", "字符设备"},
        {socketPath, "套接字"},
    };
    for (const auto& [path, kind] : cases) {
        const std::string message = test::messageOf([&] { MachineStore::open(path); });
        EXPECT_NE(message.find("不是普通文件"), std::string::npos) << message;
        EXPECT_NE(message.find(kind), std::string::npos) << message;
    }
    ::close(sock);
}

TEST_F(SharedFileTest, ALockFileThatIsNoRegularFileIsNamedWithWhatItIs) {
    const std::string lockFile = (dir / ".system.lib.lock").string();
    const std::string before = onDisk();
    const struct {
        std::function<int()> make;
        FileKind fileKind;
        std::string kind;
    } cases[] = {
        {[&] { return ::mkfifo(lockFile.c_str(), 0644); }, FileKind::Pipe, "a named pipe (FIFO)"},
        {[&] { return ::mkdir(lockFile.c_str(), 0755); }, FileKind::Folder, "a folder"},
        {[&] { return ::symlink("system.lib", lockFile.c_str()); }, FileKind::SymbolicLink,
         "a symbolic link"},
    };
    for (const auto& [make, fileKind, kind] : cases) {
        SCOPED_TRACE(kind);
        std::filesystem::remove(lockFile);
        ASSERT_EQ(make(), 0);
        MachineStore store = MachineStore::open(lib());
        try {
            store.addMachine("X", 15, {20});
            ADD_FAILURE() << "added";
        } catch (const StoreError& e) {
            EXPECT_EQ(e.problem().kind, StoreProblem::Kind::LockFileNotRegular);
            EXPECT_EQ(e.problem().fileKind, fileKind);
            EXPECT_EQ(e.problem().lockFile, lockFile);
            EXPECT_EQ(storeProblemText(e.problem(), Language::English),
                      lib() + ": cannot be changed: its lock file " + lockFile +
                          " is not a regular file but " + kind +
                          "; a lock file holds nothing, so remove it and try again");
        }
        EXPECT_TRUE(test::sameBytes(onDisk(), before));
    }
}

} // namespace
} // namespace gearsel
