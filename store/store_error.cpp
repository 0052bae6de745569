// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/store_error.h"

#include "base/printable_text.h"

#include <cerrno>
#include <cstring>

namespace gearsel {

// Names and causes may carry what a file or a user gave (control bytes included); both
// languages show them escaped, so a message is one line that sends a terminal nothing.
StoreError::StoreError(const std::string& file, const MessageText& cause)
    : std::runtime_error(
          printableText(file.empty() ? cause.chinese : "文件“" + file + "”" + cause.chinese)),
      file_(file),
      english_(printableText(file.empty() ? cause.english : file + ": " + cause.english)) {}

MessageText machineLabel(int index, const std::string& name) {
    const std::string number = std::to_string(index + 1);
    return {"第 " + number + " 台机床“" + name + "”", "machine " + number + " '" + name + "'"};
}

MessageText describeErrno(int error) {
    switch (error) {
    case ENOENT:
        return {"文件或文件夹不存在", "no such file or folder"};
    case EACCES:
    case EPERM:
        return {"没有访问权限", "permission denied"};
    case EROFS:
        return {"所在的文件系统是只读的", "the file system is read-only"};
    case ENOSPC:
        return {"磁盘已满", "disk full"};
    case EDQUOT:
        return {"超出了磁盘配额", "disk quota exceeded"};
    case EIO:
        return {"磁盘读写出错", "input/output error"};
    case EISDIR:
        return {"这是一个文件夹", "it is a folder"};
    case ENOTDIR:
        return {"路径中有一级不是文件夹", "a part of the path is not a folder"};
    case ENAMETOOLONG:
        return {"路径太长", "the path is too long"};
    case EBUSY:
    case ETXTBSY:
        return {"文件正被占用", "the file is busy"};
    case EMFILE:
    case ENFILE:
        return {"打开的文件太多", "too many open files"};
    case EEXIST:
        return {"文件已经存在", "the file exists"};
    case EFBIG:
        return {"文件太大", "the file is too large"};
    default: {
        const std::string system = std::strerror(error);
        const std::string number = std::to_string(error);
        return {system + "（错误号 " + number + "）", system + " (error " + number + ")"};
    }
    }
}

} // namespace gearsel
