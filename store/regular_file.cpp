#include "store/regular_file.h"

#include "store/store_error.h"

#include <cerrno>

namespace gearsel {

namespace {

// What a file that is not a regular one is, for the message.
const char* fileKindText(FileKind kind) {
    switch (kind) {
    case FileKind::Regular:
        return "一个普通文件";
    case FileKind::Folder:
        return "一个文件夹";
    case FileKind::Pipe:
        return "一个命名管道（FIFO）";
    case FileKind::CharDevice:
        return "一个字符设备";
    case FileKind::BlockDevice:
        return "一个块设备";
    case FileKind::Socket:
        return "一个套接字";
    case FileKind::Other:
        break;
    }
    return "一个特殊文件";
}

} // namespace

std::string readRegularFile(FileSystem& fs, const std::string& path, std::size_t maxSize,
                            FileInfo& info) {
    std::string bytes;
    if (const int error = fs.readFile(path, maxSize, bytes, info)) {
        if (error == ENOENT) {
            throw StoreError(path, "不存在");
        }
        if (error == EFBIG) {
            throw StoreError(path,
                             "太大（超过 " + std::to_string(maxSize >> 20) + " MiB），不能读入");
        }
        throw StoreError(path, "无法读取：" + describeErrno(error));
    }
    if (info.kind != FileKind::Regular) {
        throw StoreError(path, std::string("不是普通文件，而是") + fileKindText(info.kind) +
                                   "，不能读入");
    }
    return bytes;
}

} // namespace gearsel
