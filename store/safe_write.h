#pragma once
// Crash-safe saving: the whole new content goes to a temporary file in the target's folder,
// is flushed to the disk and then takes the target's place in one rename, so that a crash,
// a full disk or a power failure leaves either the old file or the new one, never a mix.

#include "store/file_system.h"

#include <string>
#include <string_view>
#include <sys/types.h>

namespace gearsel {

// Replaces the content of the existing file `path` by `bytes`; the new file gets the
// permission bits `mode`. A symbolic link is followed, so the link stays and its target is
// replaced. Throws StoreError naming `path` and the cause; on failure the file is as it was
// and no temporary file is left behind.
void replaceFile(FileSystem& fs, const std::string& path, std::string_view bytes, mode_t mode);

// Creates the file `path` with `bytes`, by the same steps; refuses with StoreError when
// `path` already exists, so an existing file is never overwritten.
void createFile(FileSystem& fs, const std::string& path, std::string_view bytes);

} // namespace gearsel
