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

} // namespace

std::optional<TextProblem> textProblem(std::string_view text) {
    using Kind = TextProblem::Kind;
    if (text.starts_with(std::string_view("\xFF\xFE\0\0", 4)) ||
        text.starts_with(std::string_view("\0\0\xFE\xFF", 4))) {
        return TextProblem{Kind::Utf32};
    }
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        return TextProblem{Kind::Utf16};
    }
    if (const auto nul = text.find('\0'); nul != std::string_view::npos) {
        // Latin letters in UTF-16 come with a NUL byte each, before or after them.
        if (text.size() >= 2 && (text[0] == '\0') != (text[1] == '\0')) {
            return TextProblem{Kind::Utf16};
        }
        return TextProblem{Kind::NulByte, lineAt(text, nul)};
    }
    if (const auto bad = firstNonUtf8(text); bad != std::string_view::npos) {
        TextProblem problem{Kind::NotUtf8, lineAt(text, bad)};
        problem.detail = hexByte(text[bad]);
        return problem;
    }
    return std::nullopt;
}

int lineAt(std::string_view text, std::size_t offset) {
    const std::size_t end = std::min(offset, text.size());
    return 1 +
           static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(end), '\n'));
}

} // namespace gearsel
