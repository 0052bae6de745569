#pragma once
// The one error type of the data store. Its message is a single readable sentence that names
// the file and the cause, fit for a message box or one line on stderr.

#include <stdexcept>
#include <string>

namespace gearsel {

class StoreError : public std::runtime_error {
public:
    // what() becomes "文件“<file>”" followed by `cause`, e.g. "无法写入：磁盘已满".
    StoreError(const std::string& file, const std::string& cause);

    // The path of the file the error is about.
    const std::string& file() const noexcept { return file_; }

private:
    std::string file_;
};

// A short Chinese description of a system error number ("磁盘已满" for ENOSPC); numbers
// without one of their own get the system's text and the number.
std::string describeErrno(int error);

} // namespace gearsel
