// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one error type of the data store. Its message is a single readable sentence that names
// the file and the cause, in Chinese for a message box (what()) and in English for one line on
// stderr (english()); characters that a screen would not show as themselves (control
// characters, bytes that are not UTF-8) appear escaped, as printableText() writes them.

#include "store/message_text.h"

#include <stdexcept>
#include <string>

namespace gearsel {

class StoreError : public std::runtime_error {
public:
    // what() becomes "文件“<file>”" followed by the Chinese cause, e.g. "无法写入：磁盘已满";
    // english() "<file>: " followed by the English one, e.g. "cannot be written: disk full".
    // With an empty `file` (a failure that concerns no file), the cause alone.
    StoreError(const std::string& file, const MessageText& cause);

    // The path of the file the error is about, as given.
    const std::string& file() const noexcept { return file_; }
    // The message in English.
    const std::string& english() const noexcept { return english_; }

private:
    std::string file_;
    std::string english_;
};

// How messages name a machine: "第 3 台机床“CA6140”", "machine 3 'CA6140'" for `index` 2
// (counted from 0).
MessageText machineLabel(int index, const std::string& name);

// A short description of a system error number ("磁盘已满", "disk full" for ENOSPC); numbers
// without one of their own get the system's text and the number.
MessageText describeErrno(int error);

} // namespace gearsel
