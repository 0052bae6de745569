// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/output_check.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace gearsel::cli {

int checkedExit(int status) {
    // std::cout writes through the C stream: flushing it flushes stdout, and a write that
    // failed earlier leaves its error flag set, even when a later one went through.
    errno = 0;
    std::cout.flush();
    const int cause = errno;
    if (std::cout && std::fflush(stdout) == 0 && std::ferror(stdout) == 0) {
        return status;
    }
    const int reported = cause != 0 ? cause : errno;
    std::cerr << "gearsel-cli: cannot write to standard output"
              << (reported != 0 ? std::string(": ") + std::strerror(reported) : std::string())
              << '\n';
    return 2;
}

} // namespace gearsel::cli
