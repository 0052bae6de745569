// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/posix_file_system.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace gearsel {

namespace {

// Closes a descriptor when the scope ends, for the read path where close errors do not
// matter.
class FdCloser {
public:
    explicit FdCloser(int fd) : fd_(fd) {}
    ~FdCloser() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;
    // Hands the descriptor over; it is no longer closed here.
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

int errnoOr(int fallback) {
    return errno != 0 ? errno : fallback;
}

FileKind kindOf(mode_t mode) {
    if (S_ISREG(mode)) {
        return FileKind::Regular;
    }
    if (S_ISDIR(mode)) {
        return FileKind::Folder;
    }
    if (S_ISFIFO(mode)) {
        return FileKind::Pipe;
    }
    if (S_ISCHR(mode)) {
        return FileKind::CharDevice;
    }
    if (S_ISBLK(mode)) {
        return FileKind::BlockDevice;
    }
    if (S_ISSOCK(mode)) {
        return FileKind::Socket;
    }
    return FileKind::Other;
}

FileInfo infoOf(const struct stat& status) {
    FileInfo info;
    info.kind = kindOf(status.st_mode);
    info.mode = status.st_mode & 07777;
    info.owner = status.st_uid;
    info.group = status.st_gid;
    info.links = status.st_nlink;
    info.stamp = {
        static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
        static_cast<std::int64_t>(status.st_size), static_cast<std::int64_t>(status.st_mtim.tv_sec),
        static_cast<std::int64_t>(status.st_mtim.tv_nsec)};
    return info;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Opens the lock file, creating it readable for everyone (whoever may read the data file
// must be able to take the lock; an empty file gives nothing away). A lock file that this
// user may not write is opened for reading, which is all that flock() needs.
int openLockFile(const std::string& path, int& fd) {
    const int flags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
    fd = ::open(path.c_str(), flags | O_RDWR | O_CREAT | O_EXCL, 0644);
    if (fd >= 0) {
        ::fchmod(fd, 0644); // whatever the umask took away
        return 0;
    }
    if (errno == EEXIST) {
        fd = ::open(path.c_str(), flags | O_RDWR);
        if (fd < 0 && errno == EACCES) {
            fd = ::open(path.c_str(), flags | O_RDONLY);
        }
    }
    if (fd < 0) {
        return errnoOr(EIO);
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        fd = -1;
        return EINVAL;
    }
    return 0;
}

} // namespace

FileSystem& posixFileSystem() {
    static PosixFileSystem instance;
    return instance;
}

int PosixFileSystem::readFile(const std::string& path, std::size_t maxSize, std::string& bytes,
                              FileInfo& info) {
    bytes.clear();
    // Look before opening: opening a device can have effects of its own.
    if (const int error = statFile(path, info); error != 0 || info.kind != FileKind::Regular) {
        return error;
    }
    // Not waiting even if the name was meanwhile given to a pipe.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return errnoOr(EIO);
    }
    FdCloser closer(fd);
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        return errnoOr(EIO);
    }
    info = infoOf(status);
    if (info.kind != FileKind::Regular) {
        return 0;
    }
    if (status.st_size > 0 && static_cast<std::size_t>(status.st_size) > maxSize) {
        return EFBIG;
    }
    char buffer[65536];
    while (true) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errnoOr(EIO);
        }
        if (got == 0) {
            return 0;
        }
        // The size can grow while reading: check again.
        if (bytes.size() + static_cast<std::size_t>(got) > maxSize) {
            return EFBIG;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

int PosixFileSystem::statFile(const std::string& path, FileInfo& info) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return errnoOr(EIO);
    }
    info = infoOf(status);
    return 0;
}

int PosixFileSystem::lockFile(const std::string& path, std::chrono::milliseconds timeout, int& fd) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + timeout;
    std::chrono::milliseconds pause(2);
    while (true) {
        int lockFd = -1;
        if (const int error = openLockFile(path, lockFd)) {
            return error;
        }
        FdCloser closer(lockFd);
        while (::flock(lockFd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno != EWOULDBLOCK) {
                return errnoOr(EIO);
            }
            const Clock::time_point now = Clock::now();
            if (now >= deadline) {
                return EWOULDBLOCK;
            }
            std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - now));
            pause = std::min(pause * 2, std::chrono::milliseconds(50));
        }
        // Someone may have removed the lock file while we waited and another process may
        // hold the lock of a new one by that name: only the file the name stands for counts.
        struct stat held {};
        struct stat named {};
        if (::fstat(lockFd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 &&
            sameFile(held, named)) {
            fd = closer.release();
            return 0;
        }
    }
}

int PosixFileSystem::checkWritable(const std::string& path) {
    return ::access(path.c_str(), W_OK) == 0 ? 0 : errnoOr(EACCES);
}

int PosixFileSystem::createTemp(std::string& pathTemplate, int& fd) {
    fd = ::mkostemp(pathTemplate.data(), O_CLOEXEC);
    return fd >= 0 ? 0 : errnoOr(EIO);
}

int PosixFileSystem::writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errnoOr(EIO);
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return 0;
}

int PosixFileSystem::setOwner(int fd, uid_t owner, gid_t group) {
    return ::fchown(fd, owner, group) == 0 ? 0 : errnoOr(EPERM);
}

int PosixFileSystem::setMode(int fd, mode_t mode) {
    return ::fchmod(fd, mode) == 0 ? 0 : errnoOr(EPERM);
}

int PosixFileSystem::sync(int fd) {
    return ::fsync(fd) == 0 ? 0 : errnoOr(EIO);
}

int PosixFileSystem::close(int fd) {
    // Linux releases the descriptor even when close() fails, so it is never retried.
    return ::close(fd) == 0 ? 0 : errnoOr(EIO);
}

int PosixFileSystem::rename(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errnoOr(EIO);
}

int PosixFileSystem::link(const std::string& from, const std::string& to) {
    return ::link(from.c_str(), to.c_str()) == 0 ? 0 : errnoOr(EIO);
}

int PosixFileSystem::remove(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : errnoOr(EIO);
}

int PosixFileSystem::syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return errnoOr(EIO);
    }
    const int result = ::fsync(fd) == 0 ? 0 : errnoOr(EIO);
    ::close(fd);
    return result;
}

} // namespace gearsel
