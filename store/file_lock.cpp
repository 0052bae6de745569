#include "store/file_lock.h"

#include "store/safe_write.h"
#include "store/store_error.h"

#include <cerrno>
#include <filesystem>
#include <utility>

namespace gearsel {

namespace {

std::string durationText(std::chrono::milliseconds wait) {
    if (wait.count() % 1000 == 0) {
        return std::to_string(wait.count() / 1000) + " 秒";
    }
    return std::to_string(wait.count()) + " 毫秒";
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
            throw StoreError(dataPath, "正被另一个程序修改，等了 " + durationText(timeout) +
                                           "仍未改完；这次没有做任何改动，请稍后再试");
        }
        throw StoreError(dataPath,
                         "无法修改：不能打开它的锁文件“" + path + "”，" + describeErrno(error));
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
