// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/data_location.h"
#include "store/lib_layout.h"

#include "store/constants_file.h"
#include "store/data_file.h"
#include "store/regular_file.h"
#include "store/safe_write.h"
#include "store/store_error.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

// The build passes where the installed data lies as seen from the installed executables
// ("../share/gearsel"), so an installed tree works under any prefix and unpacked anywhere.
#ifndef GEARSEL_SEED_FROM_BIN
#error "GEARSEL_SEED_FROM_BIN must name the installed data folder relative to the executables"
#endif

namespace gearsel {

namespace {

bool isAbsolute(const char* value) {
    return value != nullptr && std::filesystem::path(value).is_absolute();
}

// Whether anything, even a broken link, has the name `path`.
bool somethingAt(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

// Creates `folder` and its missing parents, each new one private to the user (mode 0700).
void makeFolders(const std::filesystem::path& folder) {
    std::error_code ec;
    if (folder.empty() || std::filesystem::is_directory(folder, ec)) {
        return;
    }
    makeFolders(folder.parent_path());
    if (::mkdir(folder.c_str(), 0700) != 0) {
        const int error = errno;
        if (error != EEXIST) {
            throw StoreError({.kind = StoreProblem::Kind::CannotCreateFolder,
                              .file = folder.string(),
                              .error = error});
        }
    }
}

} // namespace

DataPlaces dataPlaces(const std::filesystem::path& exeFolder, const char* xdgDataHome,
                      const char* home) {
    DataPlaces places;
    places.beside = exeFolder / kDataFileName;
    places.seed = (exeFolder / GEARSEL_SEED_FROM_BIN / kDataFileName).lexically_normal();
    std::filesystem::path dataHome;
    if (isAbsolute(xdgDataHome)) {
        dataHome = xdgDataHome;
    } else if (isAbsolute(home)) {
        dataHome = std::filesystem::path(home) / ".local" / "share";
    }
    if (!dataHome.empty()) {
        places.perUser = (dataHome / "gearsel" / kDataFileName).lexically_normal();
    }
    return places;
}

DataPlaces currentDataPlaces() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* user = ::getpwuid(::getuid());
        home = user != nullptr ? user->pw_dir : nullptr;
    }
    return dataPlaces(executableFolder(), std::getenv("XDG_DATA_HOME"), home);
}

std::filesystem::path locateDataFile(const DataPlaces& places, FileSystem& fs) {
    if (!places.beside.empty() && dataFileExists(places.beside)) {
        return places.beside;
    }
    if (places.perUser.empty()) {
        return {};
    }
    // Whatever has the name is the user's: a link to a file elsewhere stays, and a broken one
    // is reported when it is opened rather than quietly replaced by the default data.
    if (somethingAt(places.perUser)) {
        return places.perUser;
    }
    if (!dataFileExists(places.seed)) {
        return {};
    }
    std::string bytes;
    FileInfo seedInfo;
    if (const int error = fs.readFile(places.seed.string(), kMaxFileSize, bytes, seedInfo)) {
        throw StoreError(
            {.kind = StoreProblem::Kind::CannotRead, .file = places.seed.string(), .error = error});
    }
    // The default machines' constants come along, from the file beside the seed.
    const std::string seedConstants = constantsPath(places.seed.string());
    std::string constants;
    FileInfo info;
    const bool withConstants = fs.statFile(seedConstants, info) != ENOENT;
    if (withConstants) {
        constants = readRegularFile(fs, seedConstants, kMaxConstantsFileSize, info);
    }
    makeFolders(places.perUser.parent_path());
    if (withConstants) {
        try {
            createFile(fs, constantsPath(places.perUser.string()), constants);
        } catch (const StoreError&) {
            // The user's own constants file stays: its entries attach to the machines of the
            // same number and name, as after deleting only the data file.
        }
    }
    try {
        createFile(fs, places.perUser.string(), bytes);
    } catch (const StoreError&) {
        // Another start (the window and a gearsel-cli run, say) made the copy first; it may
        // already hold changes, so it is kept and used.
        if (!somethingAt(places.perUser)) {
            throw;
        }
    }
    return places.perUser;
}

} // namespace gearsel
