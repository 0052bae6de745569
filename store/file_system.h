// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file-system calls that reading and saving the data file make, gathered behind one
// interface so that a test can make any single step fail and check what is left behind.

#include "store/file_info.h"

#include <chrono>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace gearsel {

// Every call returns 0 on success or the errno value of the failure; none throws.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Reads the whole file into `bytes` and its status into `info` (links followed). Only a
    // regular file is opened and read, and opening never waits (a pipe without a writer, a
    // device): for anything else `info.kind` says what it is and `bytes` stays empty. A file
    // larger than `maxSize` bytes fails with EFBIG before anything is read.
    virtual int readFile(const std::string& path, std::size_t maxSize, std::string& bytes,
                         FileInfo& info) = 0;
    // The status of the file (links followed), without opening it.
    virtual int statFile(const std::string& path, FileInfo& info) = 0;
    // Opens the lock file `path`, creating it when missing, and takes its exclusive advisory
    // lock, waiting at most `timeout` for another holder to let go; `fd` gets the handle, which
    // holds the lock until it is closed. Fails with EWOULDBLOCK when the wait ran out.
    virtual int lockFile(const std::string& path, std::chrono::milliseconds timeout, int& fd) = 0;
    // Whether this process may write the file (as access() with W_OK answers it).
    virtual int checkWritable(const std::string& path) = 0;
    // Creates a new, empty file from a mkstemp() template, whose X's are replaced; `fd` gets
    // the open handle.
    virtual int createTemp(std::string& pathTemplate, int& fd) = 0;
    // Writes all of `bytes`, going on after short writes.
    virtual int writeAll(int fd, std::string_view bytes) = 0;
    // Gives the open file this owner and group; an owner of uid_t(-1) leaves the owner as it is.
    virtual int setOwner(int fd, uid_t owner, gid_t group) = 0;
    // Gives the open file these permission bits.
    virtual int setMode(int fd, mode_t mode) = 0;
    // Flushes the open file's data to the disk.
    virtual int sync(int fd) = 0;
    virtual int close(int fd) = 0;
    // Puts `from` in the place of `to`, replacing `to` in one step.
    virtual int rename(const std::string& from, const std::string& to) = 0;
    // Gives `from` the second name `to`; fails with EEXIST when `to` exists.
    virtual int link(const std::string& from, const std::string& to) = 0;
    virtual int remove(const std::string& path) = 0;
    // Flushes a folder's entries, so that a rename in it survives a power failure.
    virtual int syncFolder(const std::string& folder) = 0;
};

// The real file system, through POSIX calls.
FileSystem& posixFileSystem();

} // namespace gearsel
