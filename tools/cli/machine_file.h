#pragma once
// Reading a list of machines to import: the CSV of "export" (store/machine_csv.h) or the JSON
// array of "export --format json", told apart by the first character after blanks and an
// optional UTF-8 byte-order mark.

#include "store/new_machine.h"

#include <string>
#include <vector>

namespace gearsel::cli {

// JSON nested deeper than this is refused before it is parsed; an export is 3 deep.
inline constexpr int kMaxJsonDepth = 8;

// The machines of the file `path`. Throws StoreError when the file cannot be read (missing,
// not a regular file, over 16 MiB) or its CSV is refused, and UsageError for JSON that is not
// an array of {"name", "zn", "gears"} with whole numbers of 16 bits.
std::vector<NewMachine> readMachineFile(const std::string& path);

} // namespace gearsel::cli
