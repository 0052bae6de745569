#include "store/store_error.h"

#include <cerrno>
#include <cstring>

namespace gearsel {

StoreError::StoreError(const std::string& file, const std::string& cause)
    : std::runtime_error(file.empty() ? cause : "文件“" + file + "”" + cause), file_(file) {}

std::string machineLabel(int index, const std::string& name) {
    return "第 " + std::to_string(index + 1) + " 台机床“" + name + "”";
}

std::string describeErrno(int error) {
    switch (error) {
    case ENOENT:
        return "文件或文件夹不存在";
    case EACCES:
    case EPERM:
        return "没有访问权限";
    case EROFS:
        return "所在的文件系统是只读的";
    case ENOSPC:
        return "磁盘已满";
    case EDQUOT:
        return "超出了磁盘配额";
    case EIO:
        return "磁盘读写出错";
    case EISDIR:
        return "这是一个文件夹";
    case ENOTDIR:
        return "路径中有一级不是文件夹";
    case ENAMETOOLONG:
        return "路径太长";
    case EBUSY:
    case ETXTBSY:
        return "文件正被占用";
    case EMFILE:
    case ENFILE:
        return "打开的文件太多";
    case EEXIST:
        return "文件已经存在";
    case EFBIG:
        return "文件太大";
    default:
        return std::string(std::strerror(error)) + "（错误号 " + std::to_string(error) + "）";
    }
}

} // namespace gearsel
