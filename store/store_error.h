#pragma once
// The one error type of the data store. Its message is a single readable sentence that names
// the file and the cause, fit for a message box or one line on stderr.

#include <stdexcept>
#include <string>

namespace gearsel {

class StoreError : public std::runtime_error {
public:
    // what() becomes "文件“<file>”" followed by `cause`, e.g. "无法写入：磁盘已满"; with an
    // empty `file` (a failure that concerns no file), `cause` alone.
    StoreError(const std::string& file, const std::string& cause);

    // The path of the file the error is about.
    const std::string& file() const noexcept { return file_; }

private:
    std::string file_;
};

// How messages name a machine: "第 3 台机床“CA6140”" for `index` 2 (counted from 0).
std::string machineLabel(int index, const std::string& name);

// A short Chinese description of a system error number ("磁盘已满" for ENOSPC); numbers
// without one of their own get the system's text and the number.
std::string describeErrno(int error);

} // namespace gearsel
