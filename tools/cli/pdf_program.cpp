// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/pdf_program.h"

#include "store/data_file.h"
#include "tools/cli/strict_number.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <unistd.h>

// The build passes the installed folder of helper programs as seen from the installed
// executables ("../libexec/gearsel"), so an installed tree works under any prefix.
#ifndef GEARSEL_PDF_PROGRAM_FROM_BIN
#error "GEARSEL_PDF_PROGRAM_FROM_BIN must name the helper programs' folder relative to bin"
#endif

namespace gearsel::cli {

namespace {

// This process's arguments as the kernel keeps them, each ended by a NUL.
std::vector<std::string> ownCommandLine() {
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    std::vector<std::string> args;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\0', start), bytes.size());
        args.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    if (args.empty()) {
        throw UsageError{"cannot read this program's command line from /proc/self/cmdline"};
    }
    return args;
}

} // namespace

std::vector<std::filesystem::path> pdfProgramPlaces(const std::filesystem::path& exeFolder) {
    return {exeFolder / kPdfProgramName,
            (exeFolder / GEARSEL_PDF_PROGRAM_FROM_BIN / kPdfProgramName).lexically_normal()};
}

std::vector<std::string> withDataFile(std::vector<std::string> args, std::string_view command,
                                      const std::string& lib) {
    if (lib.empty()) {
        return args;
    }
    auto at = std::find(std::next(args.begin()), args.end(), command);
    at = at == args.end() ? at : std::next(at);
    args.insert(at, {"--lib", lib});
    return args;
}

void runInPdfProgram(std::string_view command, const std::string& lib) {
    const std::vector<std::string> args = withDataFile(ownCommandLine(), command, lib);
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    // Nothing is printed yet; flushed all the same, so that the other program's output can
    // never come before any of this one's.
    std::cout.flush();
    std::fflush(stdout);
    const std::vector<std::filesystem::path> places = pdfProgramPlaces(executableFolder());
    int error = ENOENT;
    for (const std::filesystem::path& place : places) {
        ::execv(place.c_str(), argv.data());
        // A place that holds no program is no reason to give up; any other failure is.
        error = errno;
        if (error != ENOENT) {
            throw UsageError{"cannot start " + place.string() +
                             ", which writes PDF files: " + std::strerror(error)};
        }
    }
    throw UsageError{std::string(kPdfProgramName) + ", which writes PDF files, is in neither " +
                     places[0].string() + " nor " + places[1].string() + ": " +
                     std::strerror(error)};
}

} // namespace gearsel::cli
