// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/file_text.h"

#include "base/printable_text.h"

#include <algorithm>
#include <string>

namespace gearsel {

namespace {

std::string hexByte(char c) {
    constexpr const char* kHex = "0123456789abcdef";
    const auto byte = static_cast<unsigned char>(c);
    return std::string("0x") + kHex[byte >> 4] + kHex[byte & 0xF];
}

MessageText wideText(const char* width) {
    const std::string name = std::string("UTF-") + width;
    return {"是 " + name + " 编码的文本，不是 UTF-8；请在编辑器中把它另存为 UTF-8",
            "is " + name + " text, not UTF-8; save it as UTF-8 in an editor"};
}

} // namespace

std::optional<MessageText> textProblem(std::string_view text) {
    if (text.starts_with(std::string_view("\xFF\xFE\0\0", 4)) ||
        text.starts_with(std::string_view("\0\0\xFE\xFF", 4))) {
        return wideText("32");
    }
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        return wideText("16");
    }
    if (const auto nul = text.find('\0'); nul != std::string_view::npos) {
        // Latin letters in UTF-16 come with a NUL byte each, before or after them.
        if (text.size() >= 2 && (text[0] == '\0') != (text[1] == '\0')) {
            return wideText("16");
        }
        return lineLabel(lineAt(text, nul)) + MessageText{"有空字节（NUL），这不是文本文件",
                                                          "holds a NUL byte, so this is no text"};
    }
    if (const auto bad = firstNonUtf8(text); bad != std::string_view::npos) {
        const std::string byte = hexByte(text[bad]);
        return lineLabel(lineAt(text, bad)) +
               MessageText{"有不属于 UTF-8 的字节 " + byte + "；请把文件存为 UTF-8",
                           "the byte " + byte + " is not UTF-8; save the file as UTF-8"};
    }
    return std::nullopt;
}

int lineAt(std::string_view text, std::size_t offset) {
    const std::size_t end = std::min(offset, text.size());
    return 1 +
           static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(end), '\n'));
}

MessageText lineLabel(int line) {
    const std::string number = std::to_string(line);
    return {"第 " + number + " 行：", "line " + number + ": "};
}

} // namespace gearsel
