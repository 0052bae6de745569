// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_run.h"

#include "lib_bytes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

namespace gearsel::test {

CliRun runCli(const std::string& args, const std::filesystem::path& folder,
              const std::filesystem::path& program) {
    return runCliTogether({args}, folder, program).front();
}

std::vector<CliRun> runCliTogether(const std::vector<std::string>& argsList,
                                   const std::filesystem::path& folder,
                                   const std::filesystem::path& program) {
    const std::string cli = shellQuoted(program.empty() ? GEARSEL_CLI_PATH : program.string());
    const std::string base = (std::filesystem::temp_directory_path() /
                              ("gearsel_cli_" + std::to_string(::getpid()) + "_"))
                                 .string();
    const std::string gate = shellQuoted(base + "gate");
    // Each run waits in the background at a gate (a lock that the shell holds) and they all
    // start when it opens, so that they really overlap. A run that is late to the gate just
    // starts at once; one that hangs is ended after a minute instead of hanging the tests.
    std::string command =
        (folder.empty() ? std::string() : "cd " + shellQuoted(folder.string()) + " || exit 1; ") +
        "exec 9>" + gate + "; flock 9; ";
    for (std::size_t i = 0; i < argsList.size(); ++i) {
        const std::string files = shellQuoted(base + std::to_string(i));
        command += "{ flock -s " + gate + " true; timeout -k 5 60 " + cli + " " + argsList[i] +
                   " >" + files + ".out 2>" + files + ".err; echo $? >" + files +
                   ".status; } 9>&- & ";
    }
    command += "sleep 0.05; flock -u 9; wait";
    // Each run's status is read from its file below; the shell's own only says it could start.
    if (std::system(command.c_str()) == -1) {
        throw std::runtime_error("no shell to start the runs in");
    }
    std::filesystem::remove(base + "gate");
    std::vector<CliRun> runs;
    for (std::size_t i = 0; i < argsList.size(); ++i) {
        const std::string files = base + std::to_string(i);
        const std::string status = readFile(files + ".status");
        runs.push_back({status.empty() ? -1 : std::stoi(status), readFile(files + ".out"),
                        readFile(files + ".err")});
        for (const char* ending : {".out", ".err", ".status"}) {
            std::filesystem::remove(files + ending);
        }
    }
    return runs;
}

::testing::AssertionResult refusedWith(const CliRun& run, const std::string& mentions) {
    if (run.status == 2 && run.out.empty() &&
        std::count(run.err.begin(), run.err.end(), '\n') == 1 &&
        run.err.find(mentions) != std::string::npos) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "status " << run.status << ", stdout '" << run.out << "', stderr '" << run.err
           << "', wanted a mention of '" << mentions << "'";
}

std::filesystem::path portableCli(const std::filesystem::path& folder) {
    const std::filesystem::path bin = folder / "bin";
    std::filesystem::create_directories(bin);
    const std::filesystem::path program = bin / "gearsel-cli";
    std::error_code ec;
    std::filesystem::create_hard_link(GEARSEL_CLI_PATH, program, ec);
    if (ec) {
        std::filesystem::copy_file(GEARSEL_CLI_PATH, program);
    }
    const std::string make = shellQuoted(GEARSEL_MAKE_LIB_PATH) + " " +
                             shellQuoted(GEARSEL_DEFAULT_MACHINES) + " " +
                             shellQuoted((bin / "system.lib").string()) + " >/dev/null";
    EXPECT_EQ(std::system(make.c_str()), 0) << make;
    return program;
}

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string commandOutput(const std::string& command, const std::filesystem::path& folder) {
    FILE* pipe = ::popen(("cd " + shellQuoted(folder.string()) + " && " + command).c_str(), "r");
    if (pipe == nullptr) {
        throw std::runtime_error("cannot run " + command);
    }
    std::string text;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        text += buffer;
    }
    ::pclose(pipe);
    return text;
}

} // namespace gearsel::test
