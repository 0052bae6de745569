// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text files that users give the program (a machine list to import, the constants file): what
// makes one unreadable as UTF-8 text, said in the user's terms, and lines to point at.

#include "store/message_text.h"

#include <optional>
#include <string_view>

namespace gearsel {

// Why `text` is no UTF-8 text, or nothing: UTF-16 or UTF-32 text (as some Windows editors save
// it), NUL bytes, or a byte that is not UTF-8 ("第 3 行有不属于 UTF-8 的字节 0xff",
// "line 3 holds the byte 0xff, which is not UTF-8").
std::optional<MessageText> textProblem(std::string_view text);

// The line (from 1) that the byte at `offset` of `text` lies on.
int lineAt(std::string_view text, std::size_t offset);

// "第 3 行：", "line 3: ".
MessageText lineLabel(int line);

} // namespace gearsel
