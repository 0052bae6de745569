// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/safe_write.h"

#include "store/store_error.h"
#include "store/user_accounts.h"

#include <cerrno>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace gearsel {

namespace {

constexpr const char* kTempMarker = ".new-";
constexpr std::size_t kTempRandomChars = 6; // the X's of mkstemp()

std::filesystem::path folderOf(const std::filesystem::path& path) {
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

// ".system.lib.new-": how the temporary files of saves of `target` begin.
std::string tempPrefix(const std::filesystem::path& target) {
    return "." + target.filename().string() + kTempMarker;
}

// Gives the temporary file the owner and group of the file it replaces. Returns the reason
// why the save must not go ahead, or nothing.
std::optional<StoreProblem> keepOwnership(FileSystem& fs, int fd, const FileInfo& original) {
    using Kind = StoreProblem::Kind;
    const int error = fs.setOwner(fd, original.owner, original.group);
    if (error == 0) {
        return {};
    }
    if (error != EPERM) {
        return StoreProblem{.kind = Kind::OwnershipNotKept, .error = error};
    }
    // Only root may give a file away. Keep the group at least; the file becomes this user's.
    const std::string group = groupName(original.group);
    if (fs.setOwner(fd, static_cast<uid_t>(-1), original.group) != 0) {
        return StoreProblem{
            .kind = Kind::GroupWouldBeLost, .owner = userName(original.owner), .group = group};
    }
    // The owner then reaches the file through the group: that must give it what it had.
    const mode_t ownerRights = (original.mode >> 6) & 07;
    const mode_t groupRights = (original.mode >> 3) & 07;
    if (!userInGroup(original.owner, original.group) || (ownerRights & ~groupRights) != 0) {
        return StoreProblem{.kind = Kind::OwnerWouldLoseRights,
                            .owner = userName(original.owner),
                            .user = userName(::geteuid()),
                            .group = group};
    }
    return std::nullopt;
}

// A written, flushed and closed temporary file beside `target`, ready to be renamed or
// linked into place, with the mode and ownership of `original` (0644 and this user's when
// there is none). Throws StoreError naming `target`; removes the temporary file on failure.
std::string writeTemp(FileSystem& fs, const std::string& target, std::string_view bytes,
                      const FileInfo* original) {
    const std::filesystem::path targetPath(target);
    std::string tempPath =
        (folderOf(targetPath) / (tempPrefix(targetPath) + std::string(kTempRandomChars, 'X')))
            .string();

    using Kind = StoreProblem::Kind;
    int fd = -1;
    if (const int error = fs.createTemp(tempPath, fd)) {
        throw StoreError({.kind = Kind::NoTempFile, .file = target, .error = error});
    }
    const auto fail = [&](StoreProblem why, bool open) {
        if (open) {
            fs.close(fd);
        }
        fs.remove(tempPath);
        why.file = target;
        throw StoreError(std::move(why));
    };
    if (const int error = fs.writeAll(fd, bytes)) {
        fail({.kind = Kind::WriteFailed, .error = error}, true);
    }
    // The owner first: a change of owner clears set-user-ID bits that the mode then restores.
    if (original != nullptr) {
        if (auto refusal = keepOwnership(fs, fd, *original)) {
            fail(std::move(*refusal), true);
        }
    }
    if (const int error = fs.setMode(fd, original != nullptr ? original->mode : 0644)) {
        fail({.kind = Kind::ModeNotSet, .error = error}, true);
    }
    if (const int error = fs.sync(fd)) {
        fail({.kind = Kind::SyncFailed, .error = error}, true);
    }
    if (const int error = fs.close(fd)) {
        fail({.kind = Kind::CloseFailed, .error = error}, false);
    }
    return tempPath;
}

// Every such file is stale under the lock. Failures are not reported: the save itself has
// succeeded, and the next one tries again.
void removeTempsOf(FileSystem& fs, const std::filesystem::path& target) {
    const std::string prefix = tempPrefix(target);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folderOf(target), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() == prefix.size() + kTempRandomChars && name.starts_with(prefix) &&
            it->is_regular_file(ec)) {
            fs.remove(it->path().string());
        }
    }
}

} // namespace

std::string saveTarget(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec)) {
        return path;
    }
    const auto resolved = std::filesystem::canonical(path, ec);
    if (ec) {
        throw StoreError({.kind = StoreProblem::Kind::LinkToNowhere, .file = path});
    }
    return resolved.string();
}

void refuseHardLinks(const std::string& path, const FileInfo& info) {
    if (info.links <= 1) {
        return;
    }
    throw StoreError({.kind = StoreProblem::Kind::HardLinks,
                      .file = path,
                      .count = static_cast<long long>(info.links)});
}

void replaceFile(FileSystem& fs, const std::string& path, std::string_view bytes,
                 const FileInfo& original) {
    refuseHardLinks(path, original);
    // Renaming over a symbolic link would replace the link itself; write beside its target.
    const std::string target = saveTarget(path);
    // An in-place write would fail on a file we may not write; a rename would not notice.
    if (const int error = fs.checkWritable(target)) {
        throw StoreError({.kind = StoreProblem::Kind::NotWritable, .file = path, .error = error});
    }
    const std::string tempPath = writeTemp(fs, target, bytes, &original);
    if (const int error = fs.rename(tempPath, target)) {
        fs.remove(tempPath);
        throw StoreError({.kind = StoreProblem::Kind::ReplaceFailed, .file = path, .error = error});
    }
    // The new content is in place now; a folder that cannot be flushed does not undo that,
    // so the result of this last step is not reported.
    fs.syncFolder(folderOf(target).string());
    removeTempsOf(fs, target);
}

void removeStaleTemps(FileSystem& fs, const std::string& target) {
    removeTempsOf(fs, target);
}

void createFile(FileSystem& fs, const std::string& path, std::string_view bytes,
                const FileInfo* like) {
    const std::string tempPath = writeTemp(fs, path, bytes, like);
    // link() refuses an existing name, where rename() would silently replace it.
    const int error = fs.link(tempPath, path);
    fs.remove(tempPath);
    if (error != 0) {
        throw StoreError(error == EEXIST
                             ? StoreProblem{.kind = StoreProblem::Kind::AlreadyExists, .file = path}
                             : StoreProblem{.kind = StoreProblem::Kind::CannotCreate,
                                            .file = path,
                                            .error = error});
    }
    fs.syncFolder(folderOf(path).string());
    removeTempsOf(fs, path);
}

} // namespace gearsel
