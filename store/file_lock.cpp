// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/file_lock.h"

#include "store/safe_write.h"
#include "store/store_error.h"

#include <cerrno>
#include <filesystem>
#include <utility>

namespace gearsel {

std::string FileLock::lockPath(const std::string& dataPath) {
    const std::filesystem::path target(saveTarget(dataPath));
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    return (folder / ("." + target.filename().string() + ".lock")).string();
}

FileLock FileLock::acquire(FileSystem& fs, const std::string& dataPath,
                           std::chrono::milliseconds timeout) {
    const std::string path = lockPath(dataPath);
    int fd = -1;
    if (const int error = fs.lockFile(path, timeout, fd)) {
        using Kind = StoreProblem::Kind;
        if (error == EWOULDBLOCK) {
            throw StoreError(
                {.kind = Kind::LockTimeout, .file = dataPath, .lockFile = path, .wait = timeout});
        }
        // The lock file holds nothing, so something else under its name can simply go.
        FileInfo info;
        if (error == ELOOP || ((error == EINVAL || error == EISDIR) &&
                               fs.statFile(path, info) == 0 && info.kind != FileKind::Regular)) {
            throw StoreError({.kind = Kind::LockFileNotRegular,
                              .file = dataPath,
                              .fileKind = error == ELOOP ? FileKind::SymbolicLink : info.kind,
                              .lockFile = path});
        }
        throw StoreError(
            {.kind = Kind::LockFileCannotOpen, .file = dataPath, .error = error, .lockFile = path});
    }
    return FileLock(fs, fd);
}

FileLock::FileLock(FileLock&& other) noexcept : fs_(other.fs_), fd_(std::exchange(other.fd_, -1)) {}

FileLock::~FileLock() {
    if (fd_ >= 0) {
        fs_->close(fd_);
    }
}

} // namespace gearsel
