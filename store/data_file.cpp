// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/data_file.h"

#include "store/store_error.h"

#include <cerrno>
#include <sys/stat.h>

namespace gearsel {

std::filesystem::path executableFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        throw StoreError({.kind = StoreProblem::Kind::ProgramFolderUnknown,
                          .file = "/proc/self/exe",
                          .error = ec.value()});
    }
    return exe.parent_path();
}

bool dataFileExists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

void makeWritable(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        throw StoreError(
            {.kind = StoreProblem::Kind::CannotLookAt, .file = path.string(), .error = errno});
    }
    if ((info.st_mode & S_IWUSR) != 0) {
        return;
    }
    if (::chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR) != 0) {
        throw StoreError({.kind = StoreProblem::Kind::CannotMakeWritable,
                          .file = path.string(),
                          .error = errno});
    }
}

} // namespace gearsel
