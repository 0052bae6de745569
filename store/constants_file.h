// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file that keeps the machine constants of a data file: "<name>.constants.json" beside it
// (beside the file a symbolic link points to, like the lock file), so that the data file keeps
// its byte layout. A JSON object:
//
//   {"format": "gearsel machine constants", "version": 1,
//    "machines": [{"machine": 2, "name": "CA6140 lathe", "leadscrew": "12mm", "k": "24"}]}
//
// "machine" is the machine's number in the table counted from 1, "name" its name; the
// constants ("leadscrew", "gearbox", "k", "c", "n") are texts as constantText() writes them,
// each present only when known.

#include "store/constants_book.h"

#include <optional>
#include <string>
#include <string_view>

namespace gearsel {

// A constants file is never this large; a larger file is refused before it is read.
inline constexpr std::size_t kMaxConstantsFileSize = 1024 * 1024;

// The constant that `name` names in files ("leadscrew", "gearbox", "k", "c", "n"), or nothing.
std::optional<ConstantKey> constantKeyNamed(std::string_view name);

// The constants file of the data file `dataPath`. Throws StoreError for a link to nowhere.
std::string constantsPath(const std::string& dataPath);

// The entries of a constants file's text, as written (not yet matched against a table). Throws
// StoreError naming `path` and the damage for anything but such a file: text that is not JSON
// (ConstantsNotText), another kind of document, format or version, an entry with a machine
// number outside 1 to 255, without a name, with a key it does not know or a constant that is
// no valid value, the same machine and name twice.
ConstantsBook parseConstants(std::string_view text, const std::string& path);

// The file's text for `book`, ending in a line feed.
std::string constantsJson(const ConstantsBook& book);

} // namespace gearsel
