// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/regular_file.h"

#include "store/store_error.h"

#include <cerrno>

namespace gearsel {

std::string readRegularFile(FileSystem& fs, const std::string& path, std::size_t maxSize,
                            FileInfo& info) {
    std::string bytes;
    if (const int error = fs.readFile(path, maxSize, bytes, info)) {
        using Kind = StoreProblem::Kind;
        if (error == ENOENT) {
            throw StoreError({.kind = Kind::Missing, .file = path});
        }
        if (error == EFBIG) {
            throw StoreError({.kind = Kind::TooLarge,
                              .file = path,
                              .limit = static_cast<long long>(maxSize >> 20)});
        }
        throw StoreError({.kind = Kind::CannotRead, .file = path, .error = error});
    }
    if (info.kind != FileKind::Regular) {
        throw StoreError(
            {.kind = StoreProblem::Kind::NotRegularFile, .file = path, .fileKind = info.kind});
    }
    return bytes;
}

} // namespace gearsel
