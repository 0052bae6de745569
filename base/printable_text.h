// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text fit for a one-line message. File names, machine names and arguments come from users and
// from files, and may hold bytes that a terminal obeys (ESC starts an escape sequence, BEL
// rings, CR returns to the start of the line) or that turn the text around on screen. Messages
// show such characters as escapes instead, so they can be read and stay on one line.

#include <cstdint>
#include <string>
#include <string_view>

namespace gearsel {

namespace printable_detail {

inline void appendHex(std::string& out, const char* prefix, std::uint32_t value, int digits) {
    constexpr const char* kHex = "0123456789abcdef";
    out += prefix;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        out.push_back(kHex[(value >> shift) & 0xF]);
    }
}

// The length of the UTF-8 sequence at the start of `text` and its code point, or 0 when the
// bytes there are not UTF-8 (overlong, a surrogate, beyond U+10FFFF, cut short).
inline std::size_t decodeUtf8(std::string_view text, std::uint32_t& code) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1FU;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0FU;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07U;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0U) != 0x80U) {
            return 0;
        }
        code = (code << 6) | (byte(i) & 0x3FU);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return overlong || surrogate || code > 0x10FFFF ? 0 : length;
}

// Characters that are not UTF-8 controls but still move or turn text on screen: the line and
// paragraph separators and the bidirectional marks, embeddings, overrides and isolates.
inline bool turnsText(std::uint32_t code) {
    return code == 0x061C || code == 0x200E || code == 0x200F ||
           (code >= 0x2028 && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

} // namespace printable_detail

// The offset of the first byte of `text` that is not part of a UTF-8 character, or npos when
// all of it is UTF-8.
inline std::size_t firstNonUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            ++at;
            continue;
        }
        std::uint32_t code = 0;
        const std::size_t length = printable_detail::decodeUtf8(text.substr(at), code);
        if (length == 0) {
            return at;
        }
        at += length;
    }
    return std::string_view::npos;
}

// `text` with every character that a terminal or a message box would not show as itself
// written as an escape: the control characters U+0000 to U+001F, U+007F and U+0080 to U+009F
// as "\x1b" (two hex digits) or "\u009b", the separators and bidirectional controls as
// "\u202e", and every byte that is not part of a UTF-8 character as "\xff". All else, Chinese
// text included, stays as it is; a text that needs no escape comes back unchanged.
inline std::string printableText(std::string_view text) {
    using namespace printable_detail;
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const auto lead = static_cast<unsigned char>(text.front());
        if (lead < 0x80) {
            if (lead < 0x20 || lead == 0x7F) {
                appendHex(out, "\\x", lead, 2);
            } else {
                out.push_back(static_cast<char>(lead));
            }
            text.remove_prefix(1);
            continue;
        }
        std::uint32_t code = 0;
        const std::size_t length = decodeUtf8(text, code);
        if (length == 0) {
            appendHex(out, "\\x", lead, 2);
            text.remove_prefix(1);
            continue;
        }
        if (code <= 0x9F || turnsText(code)) {
            appendHex(out, "\\u", code, 4);
        } else {
            out.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return out;
}

} // namespace gearsel
