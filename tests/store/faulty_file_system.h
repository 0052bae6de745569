// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file system for tests: the real one, except that one chosen step of reading or saving
// fails with a chosen error, and that it can act as a user who is not root.

#include "store/file_system.h"
#include "store/posix_file_system.h"

#include <cerrno>
#include <unistd.h>

namespace gearsel::test {

enum class Step {
    Read,
    Lock,
    CheckWritable,
    CreateTemp,
    Write,
    SetOwner,
    SetMode,
    Sync,
    Close,
    Rename
};

// The real file system, except that step `failing` fails with `error` (when not 0): after
// `passes` calls of it that succeed, `times` calls fail (all of them for -1). A failing write first
// writes half of the data, as a disk that fills up does. With `notRoot`, giving a file to another
// owner fails as it does for a user who is not root (changing the group still works, as it does for
// a member of the group).
class FaultyFileSystem final : public FileSystem {
public:
    Step failing = Step::Read;
    int error = 0;
    int passes = 0; // calls of the failing step that still succeed before it starts to fail
    int times = -1; // calls that fail then, before it works again; -1 for all
    bool folderSyncFails = false;
    bool notRoot = false;

    int readFile(const std::string& path, std::size_t maxSize, std::string& bytes,
                 FileInfo& info) override {
        return fail(Step::Read) ? error : real_.readFile(path, maxSize, bytes, info);
    }
    int statFile(const std::string& path, FileInfo& info) override {
        return real_.statFile(path, info);
    }
    int lockFile(const std::string& path, std::chrono::milliseconds timeout, int& fd) override {
        return fail(Step::Lock) ? error : real_.lockFile(path, timeout, fd);
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
    int setOwner(int fd, uid_t owner, gid_t group) override {
        if (fail(Step::SetOwner)) {
            return error;
        }
        if (notRoot && owner != static_cast<uid_t>(-1) && owner != ::geteuid()) {
            return EPERM;
        }
        return real_.setOwner(fd, owner, group);
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
    bool fail(Step step) {
        if (error == 0 || step != failing || times == 0) {
            return false;
        }
        if (passes > 0) {
            --passes;
            return false;
        }
        times -= times > 0 ? 1 : 0;
        return true;
    }

    PosixFileSystem real_;
};

} // namespace gearsel::test
