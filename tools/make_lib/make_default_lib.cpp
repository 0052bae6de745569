// SPDX-License-Identifier: GPL-3.0-or-later
// gearsel-make-lib SOURCE TARGET: writes the default data file TARGET from the machine list
// SOURCE, at build time, and beside it the constants file with the machines' constants. The
// data file is the user's database once it exists, so an existing TARGET is left exactly as it
// is; only a missing one is created (and a constants file that is there stays, see
// MachineStore::createFile).

#include "present/store_problem_text.h"
#include "store/data_file.h"
#include "store/lib_layout.h"
#include "store/machine_csv.h"
#include "store/machine_store.h"
#include "store/posix_file_system.h"
#include "store/regular_file.h"
#include "store/store_error.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: gearsel-make-lib SOURCE TARGET\n";
        return 2;
    }
    const std::string source = argv[1];
    const std::string target = argv[2];
    if (gearsel::dataFileExists(target)) {
        return 0;
    }
    try {
        gearsel::FileInfo info;
        const std::string text = gearsel::readRegularFile(gearsel::posixFileSystem(), source,
                                                          gearsel::kMaxFileSize, info);
        gearsel::MachineStore::createFile(target, gearsel::parseMachineCsv(text, source));
        std::cout << "gearsel-make-lib: wrote " << target << '\n';
    } catch (const gearsel::StoreError& e) {
        std::cerr << "gearsel-make-lib: "
                  << gearsel::storeProblemText(e.problem(), gearsel::Language::English) << '\n';
        return 1;
    }
    return 0;
}
