// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a whole file that the user names (the data file, a machine list to import), with
// every refusal as one StoreError: missing, unreadable, too large, or not a regular file at
// all. A pipe, a device, a socket or a folder is refused at once, without waiting on it.

#include "store/file_info.h"
#include "store/file_system.h"

#include <string>

namespace gearsel {

// The content of the regular file `path`; `info` gets its status as it was read. Throws
// StoreError naming `path` and the cause: Missing, TooLarge (over `maxSize`), CannotRead,
// NotRegularFile.
std::string readRegularFile(FileSystem& fs, const std::string& path, std::size_t maxSize,
                            FileInfo& info);

} // namespace gearsel
