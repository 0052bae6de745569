#include "store/posix_file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace gearsel {

namespace {

// Closes a descriptor when the scope ends, for the read path where close errors do not
// matter.
class FdCloser {
public:
    explicit FdCloser(int fd) : fd_(fd) {}
    ~FdCloser() { ::close(fd_); }
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;

private:
    int fd_;
};

int errnoOr(int fallback) {
    return errno != 0 ? errno : fallback;
}

} // namespace

FileSystem& posixFileSystem() {
    static PosixFileSystem instance;
    return instance;
}

int PosixFileSystem::readFile(const std::string& path, std::size_t maxSize, std::string& bytes,
                              mode_t& mode) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errnoOr(EIO);
    }
    FdCloser closer(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return errnoOr(EIO);
    }
    if (S_ISDIR(info.st_mode)) {
        return EISDIR;
    }
    if (info.st_size > 0 && static_cast<std::size_t>(info.st_size) > maxSize) {
        return EFBIG;
    }
    mode = info.st_mode & 07777;
    bytes.clear();
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
        // The size can grow while reading (or a special file can report none): check again.
        if (bytes.size() + static_cast<std::size_t>(got) > maxSize) {
            return EFBIG;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
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
