// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Machine names between the program's UTF-8 text and the 24 GBK bytes of the data file.

#include "store/store_problem.h"

#include <optional>

#include <string>
#include <string_view>

namespace gearsel {

// Bytes of a stored name; shorter names are padded with spaces.
inline constexpr std::size_t kNameBytes = 24;

// The outcome of encoding a name: the 24 bytes to store, or why the name cannot be stored.
struct EncodedName {
    std::string bytes;                  // exactly kNameBytes when there is no problem
    std::optional<NameProblem> problem; // why the name cannot be stored, e.g. NotInGbk "😀"

    bool encoded() const { return !problem; }
};

// Encodes a UTF-8 name as GBK, cut to 24 bytes and padded with spaces. The cut never splits
// a character: a double-byte character that would straddle the limit is dropped with
// everything after it. Characters past the cut are not looked at. Refused: text that is not
// UTF-8, control characters, and characters that GBK does not have. Throws StoreError
// (NamesUnconvertible) when the system cannot convert to GBK at all.
EncodedName encodeName(std::string_view utf8);

// Decodes stored name bytes to UTF-8 without the leading and trailing spaces. Bytes that are
// not valid GBK, and control characters, show as U+FFFD; decoding never fails.
std::string decodeName(std::string_view gbk);

} // namespace gearsel
