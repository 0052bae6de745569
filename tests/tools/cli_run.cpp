#include "cli_run.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace gearsel::test {

CliRun runCli(const std::string& args) {
    const auto errPath =
        std::filesystem::temp_directory_path() / ("gearsel_cli_err_" + std::to_string(::getpid()));
    const std::string command =
        std::string("'") + GEARSEL_CLI_PATH + "' " + args + " 2>'" + errPath.string() + "'";
    CliRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 4096> buffer{};
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        run.out.append(buffer.data(), got);
    }
    const int raw = ::pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream errFile(errPath);
    std::stringstream errText;
    errText << errFile.rdbuf();
    run.err = errText.str();
    std::filesystem::remove(errPath);
    return run;
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

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

} // namespace gearsel::test
