// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/file_lock.h"

#include "store/regular_file.h"
#include "store/safe_write.h"
#include "store/store_error.h"

#include <cerrno>
#include <filesystem>
#include <utility>

namespace gearsel {

namespace {

MessageText durationText(std::chrono::milliseconds wait) {
    if (wait.count() % 1000 == 0) {
        const std::string seconds = std::to_string(wait.count() / 1000);
        return {seconds + " 秒", seconds + " s"};
    }
    const std::string ms = std::to_string(wait.count());
    return {ms + " 毫秒", ms + " ms"};
}

} // namespace

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
        if (error == EWOULDBLOCK) {
            throw StoreError(
                dataPath, MessageText{"正被另一个程序修改（它占用着锁文件“" + path + "”），等了 ",
                                      "is being changed by another program, which holds its "
                                      "lock file " +
                                          path + "; waited "} +
                              durationText(timeout) +
                              MessageText{"仍未改完；这次没有做任何改动，请稍后再试",
                                          " without an end, so nothing was changed; try "
                                          "again later"});
        }
        // The lock file holds nothing, so something else under its name can simply go.
        FileInfo info;
        if (error == ELOOP || ((error == EINVAL || error == EISDIR) &&
                               fs.statFile(path, info) == 0 && info.kind != FileKind::Regular)) {
            const MessageText kind = error == ELOOP ? MessageText{"一个符号链接", "a symbolic link"}
                                                    : fileKindText(info.kind);
            throw StoreError(dataPath,
                             MessageText{"无法修改：它的锁文件“" + path + "”不是普通文件，而是",
                                         "cannot be changed: its lock file " + path +
                                             " is not a regular file but "} +
                                 kind +
                                 MessageText{"；锁文件不存放任何内容，删除它后再试",
                                             "; a lock file holds nothing, so remove it and "
                                             "try again"});
        }
        throw StoreError(dataPath, MessageText{"无法修改：不能打开它的锁文件“" + path + "”，",
                                               "cannot be changed: its lock file " + path +
                                                   " cannot be opened: "} +
                                       describeErrno(error));
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
