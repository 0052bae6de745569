// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data file at start-up: its name, the executable's folder it is looked for in first (see
// data_location.h for the whole rule), and making it writable so that the later saves can write it.

#include <filesystem>

namespace gearsel {

// The data file's name.
inline constexpr const char* kDataFileName = "system.lib";

// The folder of the running executable, from /proc/self/exe. Throws StoreError when the
// system cannot tell.
std::filesystem::path executableFolder();

// Whether `path` names an existing regular file (following links).
bool dataFileExists(const std::filesystem::path& path);

// Gives the file's owner write permission, if it lacks it; the rest of the mode stays.
// Throws StoreError when the permission cannot be changed (e.g. the file belongs to someone
// else); the file can still be read then, and saves will report the same cause.
void makeWritable(const std::filesystem::path& path);

} // namespace gearsel
