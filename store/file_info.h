// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the store learns about a file besides its bytes: its kind, its owner and permissions,
// and a stamp that tells a replaced or rewritten file from the one read before.

#include <cstdint>
#include <sys/types.h>

namespace gearsel {

// What a name in the file system stands for. SymbolicLink only where a link is not followed.
enum class FileKind { Regular, Folder, Pipe, CharDevice, BlockDevice, Socket, SymbolicLink, Other };

// Enough of a file's status to notice that it was replaced (another inode) or written (size,
// modification time to the nanosecond). Equal stamps mean "most likely unchanged"; the store
// compares the bytes whenever the stamps differ.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = -1;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};

struct FileInfo {
    FileKind kind = FileKind::Other;
    mode_t mode = 0; // permission bits (07777)
    uid_t owner = 0;
    gid_t group = 0;
    nlink_t links = 1; // names the file has (hard links)
    FileStamp stamp;
};

} // namespace gearsel
