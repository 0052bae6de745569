// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a list of machines to import: the CSV of "export" (store/machine_csv.h) or the JSON
// array of "export --format json", told apart by the first character after blanks and an
// optional UTF-8 byte-order mark. A machine in JSON is {"name", "zn", "gears"} and its known
// constants under the keys of the constants file ("leadscrew": "12mm", "k": "24").

#include "store/new_machine.h"

#include <string>
#include <vector>

namespace gearsel::cli {

// JSON nested deeper than this is refused before it is parsed; an export is 3 deep.
inline constexpr int kMaxJsonDepth = 8;

// The machines of the file `path`. Throws StoreError naming the file when it cannot be read
// (missing, not a regular file, over 16 MiB) or its CSV is refused (with the line); throws
// UsageError naming the file, and the line where there is one, when it is no UTF-8 text or its
// JSON is refused: JSON that is not an array of machines, a key twice in one object, an
// unknown key, a missing name, zn or gears, a number that is no whole number of 16 bits, a
// constant that no formula takes.
std::vector<NewMachine> readMachineFile(const std::string& path);

} // namespace gearsel::cli
