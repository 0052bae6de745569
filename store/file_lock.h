// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one write lock of a data file, taken by every program that changes it (the window,
// every gearsel-cli run) across reading, changing and saving, so that no change is made on a
// table that another writer is about to replace. It is an advisory lock (flock) on the lock
// file ".<name>.lock" beside the data file, or beside the file a symbolic link points to: a
// lock on the data file itself would not survive the rename that saves it. The lock file
// stays; it holds nothing.

#include "store/file_system.h"

#include <chrono>
#include <string>

namespace gearsel {

class FileLock {
public:
    // How long a writer waits for another one to finish, unless told otherwise.
    static constexpr std::chrono::milliseconds kDefaultTimeout{5000};

    // The lock file of the data file `dataPath`.
    static std::string lockPath(const std::string& dataPath);

    // Takes the lock of the data file `dataPath`, waiting at most `timeout`. Throws StoreError
    // naming `dataPath` when the wait runs out (another program is changing the file) or the
    // lock file cannot be opened.
    static FileLock acquire(FileSystem& fs, const std::string& dataPath,
                            std::chrono::milliseconds timeout);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&&) = delete;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    // Lets go of the lock.
    ~FileLock();

private:
    FileLock(FileSystem& fs, int fd) : fs_(&fs), fd_(fd) {}

    FileSystem* fs_;
    int fd_;
};

} // namespace gearsel
