#include "cli_run.h"

#include "lib_bytes.h"

#include <algorithm>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace gearsel::test {

CliRun runCli(const std::string& args, const std::filesystem::path& folder) {
    const auto base =
        std::filesystem::temp_directory_path() / ("gearsel_cli_" + std::to_string(::getpid()));
    const std::string out = base.string() + ".out";
    const std::string err = base.string() + ".err";
    const std::string command =
        (folder.empty() ? std::string() : "cd " + shellQuoted(folder.string()) + " && ") +
        shellQuoted(GEARSEL_CLI_PATH) + " " + args + " >" + shellQuoted(out) + " 2>" +
        shellQuoted(err);
    const int raw = std::system(command.c_str());
    CliRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(out), readFile(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
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
