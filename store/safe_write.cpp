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
std::optional<MessageText> keepOwnership(FileSystem& fs, int fd, const FileInfo& original) {
    const int error = fs.setOwner(fd, original.owner, original.group);
    if (error == 0) {
        return {};
    }
    if (error != EPERM) {
        return MessageText{"无法保存：不能保留它的所有者和用户组，",
                           "cannot be saved: its owner and group cannot be kept: "} +
               describeErrno(error);
    }
    // Only root may give a file away. Keep the group at least; the file becomes this user's.
    const std::string group = groupName(original.group);
    if (fs.setOwner(fd, static_cast<uid_t>(-1), original.group) != 0) {
        const std::string owner = userName(original.owner);
        return MessageText{"无法保存：保存后它将不再属于用户组“" + group +
                               "”，组里的用户会失去权限；请由它的所有者“" + owner + "”或管理员保存",
                           "cannot be saved: it would no longer belong to the group '" + group +
                               "', whose users would lose their rights; let its owner '" + owner +
                               "' or an administrator save it"};
    }
    // The owner then reaches the file through the group: that must give it what it had.
    const mode_t ownerRights = (original.mode >> 6) & 07;
    const mode_t groupRights = (original.mode >> 3) & 07;
    if (!userInGroup(original.owner, original.group) || (ownerRights & ~groupRights) != 0) {
        const std::string owner = userName(original.owner);
        const std::string me = userName(::geteuid());
        return MessageText{"无法保存：它属于用户“" + owner + "”，保存后将归用户“" + me +
                               "”所有，而“" + owner + "”不能通过用户组“" + group +
                               "”保留原有的权限；请由“" + owner + "”或管理员保存",
                           "cannot be saved: it belongs to '" + owner + "' and would become '" +
                               me + "''s, and '" + owner +
                               "' could not keep its rights through "
                               "the group '" +
                               group + "'; let '" + owner + "' or an administrator save it"};
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

    int fd = -1;
    if (const int error = fs.createTemp(tempPath, fd)) {
        throw StoreError(target,
                         MessageText{"无法保存：不能在它所在的文件夹中创建临时文件（",
                                     "cannot be saved: no temporary file can be made beside it ("} +
                             describeErrno(error) + MessageText{"）", ")"});
    }
    const auto fail = [&](const MessageText& why, bool open) {
        if (open) {
            fs.close(fd);
        }
        fs.remove(tempPath);
        throw StoreError(target, why);
    };
    if (const int error = fs.writeAll(fd, bytes)) {
        fail(MessageText{"无法保存：写入新内容时出错，",
                         "cannot be saved: writing the new content failed: "} +
                 describeErrno(error),
             true);
    }
    // The owner first: a change of owner clears set-user-ID bits that the mode then restores.
    if (original != nullptr) {
        if (const auto refusal = keepOwnership(fs, fd, *original)) {
            fail(*refusal, true);
        }
    }
    if (const int error = fs.setMode(fd, original != nullptr ? original->mode : 0644)) {
        fail(MessageText{"无法保存：不能设置新文件的权限，",
                         "cannot be saved: the new file's permissions cannot be set: "} +
                 describeErrno(error),
             true);
    }
    if (const int error = fs.sync(fd)) {
        fail(MessageText{"无法保存：新内容写不到磁盘上，",
                         "cannot be saved: the new content does not reach the disk: "} +
                 describeErrno(error),
             true);
    }
    if (const int error = fs.close(fd)) {
        fail(MessageText{"无法保存：关闭新文件时出错，",
                         "cannot be saved: closing the new file failed: "} +
                 describeErrno(error),
             false);
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
        throw StoreError(path, {"无法保存：它是一个找不到目标的链接",
                                "cannot be saved: it is a link whose target is missing"});
    }
    return resolved.string();
}

void refuseHardLinks(const std::string& path, const FileInfo& info) {
    if (info.links <= 1) {
        return;
    }
    const std::string names = std::to_string(info.links);
    throw StoreError(
        path, {"无法保存：它有 " + names +
                   " 个硬链接（同一个文件有几个名称）。保存会写出一个新文件，只替换其中一个名称，"
                   "其他名称仍指向旧内容，通过不同名称修改它的程序会互相丢失改动。请删除多余的"
                   "硬链接，需要第二个名称时改用符号链接（ln -s）",
               "cannot be saved: it has " + names +
                   " hard links (names for one file). A save writes a new file under one name "
                   "only, so the other names would keep the old content and programs working "
                   "through different names would lose each other's changes. Remove the extra "
                   "links; use a symbolic link (ln -s) for a second name"});
}

void replaceFile(FileSystem& fs, const std::string& path, std::string_view bytes,
                 const FileInfo& original) {
    refuseHardLinks(path, original);
    // Renaming over a symbolic link would replace the link itself; write beside its target.
    const std::string target = saveTarget(path);
    // An in-place write would fail on a file we may not write; a rename would not notice.
    if (const int error = fs.checkWritable(target)) {
        throw StoreError(path,
                         MessageText{"无法写入：", "cannot be written: "} + describeErrno(error));
    }
    const std::string tempPath = writeTemp(fs, target, bytes, &original);
    if (const int error = fs.rename(tempPath, target)) {
        fs.remove(tempPath);
        throw StoreError(path, MessageText{"无法保存：不能用新内容替换它，",
                                           "cannot be saved: the new content cannot replace it: "} +
                                   describeErrno(error));
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
        throw StoreError(
            path, error == EEXIST
                      ? MessageText{"已经存在，没有覆盖", "exists and was not replaced"}
                      : MessageText{"无法创建：", "cannot be created: "} + describeErrno(error));
    }
    fs.syncFolder(folderOf(path).string());
    removeTempsOf(fs, path);
}

} // namespace gearsel
