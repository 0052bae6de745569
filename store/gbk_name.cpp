// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/gbk_name.h"

#include "base/trim.h"
#include "store/store_error.h"

#include <cerrno>
#include <iconv.h>
#include <optional>

namespace gearsel {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD in UTF-8

// One iconv conversion direction, closed when it goes out of scope.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(::iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            // The system's iconv lacks GBK: no name can be read or written.
            throw StoreError(
                {.kind = StoreProblem::Kind::NamesUnconvertible, .key = from, .value = to});
        }
    }
    ~Converter() { ::iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts one complete character; nothing when the other side has no such character.
    std::optional<std::string> convert(std::string_view in) {
        char out[16];
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char* outPtr = out;
        std::size_t outLeft = sizeof out;
        const std::size_t result = ::iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
        // Return to the initial state, so that a failed character does not affect the next.
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (result == static_cast<std::size_t>(-1) || inLeft != 0) {
            return std::nullopt;
        }
        return std::string(out, static_cast<std::size_t>(outPtr - out));
    }

private:
    iconv_t cd_;
};

bool isControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

// The length of the well-formed UTF-8 sequence that starts `text`, or 0 when it is not one
// (stray continuation bytes, overlong forms, surrogates and values above U+10FFFF).
std::size_t utf8Length(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

} // namespace

EncodedName encodeName(std::string_view utf8) {
    Converter toGbk("GBK", "UTF-8");
    EncodedName result;
    for (std::size_t pos = 0; pos < utf8.size() && result.bytes.size() < kNameBytes;) {
        const std::size_t length = utf8Length(utf8.substr(pos));
        if (length == 0) {
            return {{}, NameProblem{NameProblem::Kind::NotUtf8}};
        }
        const std::string_view character = utf8.substr(pos, length);
        if (length == 1 && isControl(static_cast<unsigned char>(character[0]))) {
            return {{}, NameProblem{NameProblem::Kind::ControlCharacter}};
        }
        const auto gbk =
            length == 1 ? std::optional<std::string>(character) : toGbk.convert(character);
        if (!gbk) {
            return {{}, NameProblem{NameProblem::Kind::NotInGbk, std::string(character)}};
        }
        if (result.bytes.size() + gbk->size() > kNameBytes) {
            break;
        }
        result.bytes += *gbk;
        pos += length;
    }
    result.bytes.resize(kNameBytes, ' ');
    return result;
}

std::string decodeName(std::string_view gbk) {
    Converter toUtf8("UTF-8", "GBK");
    std::string text;
    for (std::size_t pos = 0; pos < gbk.size();) {
        const auto lead = static_cast<unsigned char>(gbk[pos]);
        if (lead < 0x80) {
            if (isControl(lead)) {
                text += kReplacement;
            } else {
                text.push_back(static_cast<char>(lead));
            }
            ++pos;
            continue;
        }
        // A lead byte with a trail byte of the double-byte range is one character, valid or
        // not; otherwise the byte stands alone, so an ASCII byte after it is never swallowed.
        const bool pair = lead >= 0x81 && lead <= 0xFE && pos + 1 < gbk.size() &&
                          static_cast<unsigned char>(gbk[pos + 1]) >= 0x40 &&
                          static_cast<unsigned char>(gbk[pos + 1]) != 0x7F &&
                          static_cast<unsigned char>(gbk[pos + 1]) != 0xFF;
        const std::size_t length = pair ? 2 : 1;
        const auto utf8 = toUtf8.convert(gbk.substr(pos, length));
        text += utf8 ? std::string_view(*utf8) : kReplacement;
        pos += length;
    }
    return std::string(trimmed(text, " "));
}

} // namespace gearsel
