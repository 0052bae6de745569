#include "store/safe_write.h"

#include "store/store_error.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace gearsel {

namespace {

// A written, flushed and closed temporary file beside `target`, ready to be renamed or
// linked into place. Throws StoreError naming `target`; removes the temporary file on failure.
std::string writeTemp(FileSystem& fs, const std::string& target, std::string_view bytes,
                      mode_t mode) {
    const std::filesystem::path targetPath(target);
    const std::filesystem::path folder =
        targetPath.has_parent_path() ? targetPath.parent_path() : std::filesystem::path(".");
    std::string tempPath = (folder / ("." + targetPath.filename().string() + ".XXXXXX")).string();

    int fd = -1;
    if (const int error = fs.createTemp(tempPath, fd)) {
        throw StoreError(target, "无法保存：不能在它所在的文件夹中创建临时文件（" +
                                     describeErrno(error) + "）");
    }
    const auto fail = [&](int error, const char* what, bool open) {
        if (open) {
            fs.close(fd);
        }
        fs.remove(tempPath);
        throw StoreError(target, std::string(what) + describeErrno(error));
    };
    if (const int error = fs.writeAll(fd, bytes)) {
        fail(error, "无法保存：写入新内容时出错，", true);
    }
    if (const int error = fs.setMode(fd, mode)) {
        fail(error, "无法保存：不能设置新文件的权限，", true);
    }
    if (const int error = fs.sync(fd)) {
        fail(error, "无法保存：新内容写不到磁盘上，", true);
    }
    if (const int error = fs.close(fd)) {
        fail(error, "无法保存：关闭新文件时出错，", false);
    }
    return tempPath;
}

std::string folderOf(const std::string& path) {
    const std::filesystem::path p(path);
    return p.has_parent_path() ? p.parent_path().string() : std::string(".");
}

} // namespace

void replaceFile(FileSystem& fs, const std::string& path, std::string_view bytes, mode_t mode) {
    // Renaming over a symbolic link would replace the link itself; write beside its target.
    std::string target = path;
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        const auto resolved = std::filesystem::canonical(path, ec);
        if (ec) {
            throw StoreError(path, "无法保存：它是一个找不到目标的链接");
        }
        target = resolved.string();
    }
    // An in-place write would fail on a file we may not write; a rename would not notice.
    if (const int error = fs.checkWritable(target)) {
        throw StoreError(path, "无法写入：" + describeErrno(error));
    }
    const std::string tempPath = writeTemp(fs, target, bytes, mode);
    if (const int error = fs.rename(tempPath, target)) {
        fs.remove(tempPath);
        throw StoreError(path, "无法保存：不能用新内容替换它，" + describeErrno(error));
    }
    // The new content is in place now; a folder that cannot be flushed does not undo that,
    // so the result of this last step is not reported.
    fs.syncFolder(folderOf(target));
}

void createFile(FileSystem& fs, const std::string& path, std::string_view bytes) {
    const std::string tempPath = writeTemp(fs, path, bytes, 0644);
    // link() refuses an existing name, where rename() would silently replace it.
    const int error = fs.link(tempPath, path);
    fs.remove(tempPath);
    if (error != 0) {
        throw StoreError(path, error == EEXIST ? std::string("已经存在，没有覆盖")
                                               : "无法创建：" + describeErrno(error));
    }
    fs.syncFolder(folderOf(path));
}

} // namespace gearsel
