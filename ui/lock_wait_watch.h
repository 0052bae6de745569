// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file system the window's store works through: every call goes on to the file system it
// wraps, and a change that has to wait for the data file's lock, because another program is
// changing the file, is told as it waits, so that the window can show the wait cursor at once
// and, once the wait has lasted a second, say what it waits for. The wait itself is the
// store's: as long as it asked for, in short steps.

#include "store/file_system.h"

#include <chrono>
#include <functional>
#include <string>

namespace gearsel {

class LockWaitWatch final : public FileSystem {
public:
    // How long a wait lasts before it is told.
    static constexpr std::chrono::milliseconds kTellAfter{1000};

    struct Feedback {
        std::function<void()> waiting;                            // a wait begins
        std::function<void(const std::string& lockPath)> telling; // it has lasted kTellAfter
        std::function<void()> done;                               // the lock is taken or not
    };

    // Works through `inner`, which must outlive the watch.
    explicit LockWaitWatch(FileSystem& inner) : inner_(inner) {}

    // Who is told of waits; empty functions tell nobody.
    void setFeedback(Feedback feedback) { feedback_ = std::move(feedback); }

    int lockFile(const std::string& path, std::chrono::milliseconds timeout, int& fd) override;

    int readFile(const std::string& path, std::size_t maxSize, std::string& bytes,
                 FileInfo& info) override {
        return inner_.readFile(path, maxSize, bytes, info);
    }
    int statFile(const std::string& path, FileInfo& info) override {
        return inner_.statFile(path, info);
    }
    int checkWritable(const std::string& path) override { return inner_.checkWritable(path); }
    int createTemp(std::string& pathTemplate, int& fd) override {
        return inner_.createTemp(pathTemplate, fd);
    }
    int writeAll(int fd, std::string_view bytes) override { return inner_.writeAll(fd, bytes); }
    int setOwner(int fd, uid_t owner, gid_t group) override {
        return inner_.setOwner(fd, owner, group);
    }
    int setMode(int fd, mode_t mode) override { return inner_.setMode(fd, mode); }
    int sync(int fd) override { return inner_.sync(fd); }
    int close(int fd) override { return inner_.close(fd); }
    int rename(const std::string& from, const std::string& to) override {
        return inner_.rename(from, to);
    }
    int link(const std::string& from, const std::string& to) override {
        return inner_.link(from, to);
    }
    int remove(const std::string& path) override { return inner_.remove(path); }
    int syncFolder(const std::string& folder) override { return inner_.syncFolder(folder); }

private:
    FileSystem& inner_;
    Feedback feedback_;
};

} // namespace gearsel
