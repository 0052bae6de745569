// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/regular_file.h"

#include "store/store_error.h"

#include <cerrno>

namespace gearsel {

MessageText fileKindText(FileKind kind) {
    switch (kind) {
    case FileKind::Regular:
        return {"一个普通文件", "a regular file"};
    case FileKind::Folder:
        return {"一个文件夹", "a folder"};
    case FileKind::Pipe:
        return {"一个命名管道（FIFO）", "a named pipe (FIFO)"};
    case FileKind::CharDevice:
        return {"一个字符设备", "a character device"};
    case FileKind::BlockDevice:
        return {"一个块设备", "a block device"};
    case FileKind::Socket:
        return {"一个套接字", "a socket"};
    case FileKind::Other:
        break;
    }
    return {"一个特殊文件", "a special file"};
}

std::string readRegularFile(FileSystem& fs, const std::string& path, std::size_t maxSize,
                            FileInfo& info) {
    std::string bytes;
    if (const int error = fs.readFile(path, maxSize, bytes, info)) {
        if (error == ENOENT) {
            throw StoreError(path, {"不存在", "does not exist"});
        }
        if (error == EFBIG) {
            const std::string mib = std::to_string(maxSize >> 20);
            throw StoreError(path, {"太大（超过 " + mib + " MiB），不能读入",
                                    "is too large (over " + mib + " MiB) to be read"});
        }
        throw StoreError(path,
                         MessageText{"无法读取：", "cannot be read: "} + describeErrno(error));
    }
    if (info.kind != FileKind::Regular) {
        throw StoreError(path, MessageText{"不是普通文件，而是", "is not a regular file but "} +
                                   fileKindText(info.kind) +
                                   MessageText{"，不能读入", ", so it cannot be read"});
    }
    return bytes;
}

} // namespace gearsel
