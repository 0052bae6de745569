#include "store/safe_write.h"

#include "store/store_error.h"
#include "store/user_accounts.h"

#include <cerrno>
#include <filesystem>
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
// why the save must not go ahead, or an empty text.
std::string keepOwnership(FileSystem& fs, int fd, const FileInfo& original) {
    const int error = fs.setOwner(fd, original.owner, original.group);
    if (error == 0) {
        return {};
    }
    if (error != EPERM) {
        return "无法保存：不能保留它的所有者和用户组，" + describeErrno(error);
    }
    // Only root may give a file away. Keep the group at least; the file becomes this user's.
    const std::string group = groupName(original.group);
    if (fs.setOwner(fd, static_cast<uid_t>(-1), original.group) != 0) {
        return "无法保存：保存后它将不再属于用户组“" + group + "”，组里的用户会失去权限；" +
               "请由它的所有者“" + userName(original.owner) + "”或管理员保存";
    }
    // The owner then reaches the file through the group: that must give it what it had.
    const mode_t ownerRights = (original.mode >> 6) & 07;
    const mode_t groupRights = (original.mode >> 3) & 07;
    if (!userInGroup(original.owner, original.group) || (ownerRights & ~groupRights) != 0) {
        const std::string owner = userName(original.owner);
        return "无法保存：它属于用户“" + owner + "”，保存后将归用户“" + userName(::geteuid()) +
               "”所有，而“" + owner + "”不能通过用户组“" + group + "”保留原有的权限；请由“" +
               owner + "”或管理员保存";
    }
    return {};
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
        throw StoreError(target, "无法保存：不能在它所在的文件夹中创建临时文件（" +
                                     describeErrno(error) + "）");
    }
    const auto fail = [&](const std::string& why, bool open) {
        if (open) {
            fs.close(fd);
        }
        fs.remove(tempPath);
        throw StoreError(target, why);
    };
    if (const int error = fs.writeAll(fd, bytes)) {
        fail("无法保存：写入新内容时出错，" + describeErrno(error), true);
    }
    // The owner first: a change of owner clears set-user-ID bits that the mode then restores.
    if (original != nullptr) {
        if (const std::string refusal = keepOwnership(fs, fd, *original); !refusal.empty()) {
            fail(refusal, true);
        }
    }
    if (const int error = fs.setMode(fd, original != nullptr ? original->mode : 0644)) {
        fail("无法保存：不能设置新文件的权限，" + describeErrno(error), true);
    }
    if (const int error = fs.sync(fd)) {
        fail("无法保存：新内容写不到磁盘上，" + describeErrno(error), true);
    }
    if (const int error = fs.close(fd)) {
        fail("无法保存：关闭新文件时出错，" + describeErrno(error), false);
    }
    return tempPath;
}

// Removes what earlier saves of `target` that were cut short left behind. Runs under the
// lock, after a successful save, so every such file is stale. Failures are not reported: the
// save itself has succeeded, and the next one tries again.
void removeStaleTemps(FileSystem& fs, const std::filesystem::path& target) {
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
        throw StoreError(path, "无法保存：它是一个找不到目标的链接");
    }
    return resolved.string();
}

void replaceFile(FileSystem& fs, const std::string& path, std::string_view bytes,
                 const FileInfo& original) {
    // Renaming over a symbolic link would replace the link itself; write beside its target.
    const std::string target = saveTarget(path);
    // An in-place write would fail on a file we may not write; a rename would not notice.
    if (const int error = fs.checkWritable(target)) {
        throw StoreError(path, "无法写入：" + describeErrno(error));
    }
    const std::string tempPath = writeTemp(fs, target, bytes, &original);
    if (const int error = fs.rename(tempPath, target)) {
        fs.remove(tempPath);
        throw StoreError(path, "无法保存：不能用新内容替换它，" + describeErrno(error));
    }
    // The new content is in place now; a folder that cannot be flushed does not undo that,
    // so the result of this last step is not reported.
    fs.syncFolder(folderOf(target).string());
    removeStaleTemps(fs, target);
}

void createFile(FileSystem& fs, const std::string& path, std::string_view bytes,
                const FileInfo* like) {
    const std::string tempPath = writeTemp(fs, path, bytes, like);
    // link() refuses an existing name, where rename() would silently replace it.
    const int error = fs.link(tempPath, path);
    fs.remove(tempPath);
    if (error != 0) {
        throw StoreError(path, error == EEXIST ? std::string("已经存在，没有覆盖")
                                               : "无法创建：" + describeErrno(error));
    }
    fs.syncFolder(folderOf(path).string());
    removeStaleTemps(fs, path);
}

} // namespace gearsel
