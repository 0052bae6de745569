// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the data file is. A system.lib beside the executable wins (the portable layout: the
// build folder, or a copy of the program on a USB stick). Otherwise each user keeps their own
// file under $XDG_DATA_HOME/gearsel, created on first start as a copy of the default data that
// is installed with the program, which stays read-only.

#include "store/file_system.h"

#include <filesystem>
#include <string>

namespace gearsel {

// The places the data file is looked for, in this order.
struct DataPlaces {
    std::filesystem::path beside;  // system.lib beside the executable
    std::filesystem::path perUser; // the user's own file; empty when no home folder is known
    std::filesystem::path seed;    // the installed default data, copied to perUser when missing
};

// The places for a program whose executable lies in `exeFolder`. `xdgDataHome` and `home` are
// the values of XDG_DATA_HOME and HOME, null when unset. The user's data folder is
// XDG_DATA_HOME when it is an absolute path (a relative one is ignored, as the XDG rules ask),
// otherwise ~/.local/share.
DataPlaces dataPlaces(const std::filesystem::path& exeFolder, const char* xdgDataHome,
                      const char* home);

// The places for the running program and the current environment; without HOME the home
// folder comes from the user database. Throws StoreError when the executable's folder is
// unknown.
DataPlaces currentDataPlaces();

// The data file to use: `beside` when it exists, otherwise `perUser`. When nothing is at
// `perUser` yet it is first created as a copy of `seed`, with the folders it needs (mode
// 0700): a file of the user's own with mode 0644, never a link, that appears whole or not at
// all and never replaces a file another start created at the same moment. Returns an empty
// path when there is no file beside the executable, none of the user's and no seed (the
// surfaces then name the places looked at). Throws StoreError when the seed cannot be read or
// the copy cannot be made.
std::filesystem::path locateDataFile(const DataPlaces& places, FileSystem& fs = posixFileSystem());

} // namespace gearsel
