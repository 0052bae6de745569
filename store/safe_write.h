// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Crash-safe saving: the whole new content goes to a temporary file in the target's folder,
// is flushed to the disk and then takes the target's place in one rename, so that a crash,
// a full disk or a power failure leaves either the old file or the new one, never a mix.
//
// The temporary files are named ".<name>.new-XXXXXX" beside the target. One left behind by a
// save that was cut short (a crash, a kill) is removed by the next successful save; saves run
// under the data file's lock (FileLock), so no other save can be using it then.
//
// A save keeps the file's permission bits, owner and group. A user who is not the owner (and
// not root) cannot give a new file away; such a save keeps the group and goes ahead only when
// the owner keeps the same rights through that group, and is refused otherwise, so that
// nobody is locked out of a shared file.

#include "store/file_info.h"
#include "store/file_system.h"

#include <string>
#include <string_view>

namespace gearsel {

// The file a save of `path` replaces: `path` itself, or the file that the symbolic link
// `path` points to, so that the link stays a link. Throws StoreError for a link to nowhere.
std::string saveTarget(const std::string& path);

// Throws StoreError when the file `path` with the status `info` has more than one name (hard
// links): a save puts a new file in place of one name, so the other names would keep the old
// content, and two programs working through different names would each lose the other's
// changes. A symbolic link does not count; it is followed.
void refuseHardLinks(const std::string& path, const FileInfo& info);

// Replaces the content of the existing file `path` by `bytes`. The new file gets the mode,
// owner and group of `original` (as read before the change) as described above. Throws
// StoreError naming `path` and the cause, also for a file with several names (see
// refuseHardLinks); on failure the file is as it was and no temporary file is left behind. Call it
// only while holding the file's lock.
void replaceFile(FileSystem& fs, const std::string& path, std::string_view bytes,
                 const FileInfo& original);

// Removes what saves of the file `target` (the file a save replaces, see saveTarget) that were
// cut short left behind. Call it only while holding the file's lock, after a successful save.
void removeStaleTemps(FileSystem& fs, const std::string& target);

// Creates the file `path` with `bytes` by the same steps, mode 0644 and owned by this user, or
// with the mode, owner and group of `like` by the rules above when it is given (a file that
// belongs with another one); refuses with StoreError when `path` already exists, so an
// existing file is never overwritten. Call it only while holding the file's lock.
void createFile(FileSystem& fs, const std::string& path, std::string_view bytes,
                const FileInfo* like = nullptr);

} // namespace gearsel
