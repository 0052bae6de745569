// SPDX-License-Identifier: GPL-3.0-or-later
// gearsel-cli-bench [RUNS [GEARSEL_CLI]]: whole `gearsel-cli` processes timed side by side, as
// a user waits for them: the CPU time (user and system) of each run and its peak resident
// size, the median of RUNS runs (default 21), the commands taking turns so that the machine's
// load falls on all alike. Each task stands against the command it is measured by: a chart
// against one `select` of the same set, `select --fit-only` against the same search without
// the rule. GEARSEL_CLI defaults to the gearsel-cli beside this program.

#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <iostream>
#include <spawn.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Run {
    double cpuSeconds = 0.0;
    long peakKiB = 0;
};

// Runs `args` once with its output thrown away; exits the benchmark when it fails.
Run runOnce(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::cerr << "cannot start " << args[0] << "\n";
        std::exit(2);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::cerr << "failed: " << args[0] << " " << args[1] << "\n";
        std::exit(2);
    }
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return {seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_maxrss};
}

struct Task {
    std::string name;
    std::vector<std::string> args; // after the program
    std::vector<Run> runs = {};

    Run median() const {
        std::vector<double> cpu;
        long peak = 0;
        for (const Run& r : runs) {
            cpu.push_back(r.cpuSeconds);
            peak = std::max(peak, r.peakKiB);
        }
        std::sort(cpu.begin(), cpu.end());
        return {cpu[cpu.size() / 2], peak};
    }
};

std::string countsFrom(int first, int last) {
    std::string text;
    for (int z = first; z <= last; ++z) {
        text += (text.empty() ? "" : ",") + std::to_string(z);
    }
    return text;
}

std::string formatted(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string ms(double seconds) {
    return formatted("%.1f ms", seconds * 1e3);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    std::string cli = argc > 2 ? argv[2] : std::string();
    if (cli.empty()) {
        const std::string self = argv[0];
        const auto slash = self.rfind('/');
        cli = (slash == std::string::npos ? std::string(".") : self.substr(0, slash)) +
              "/gearsel-cli";
    }
    const std::string gears = countsFrom(10, 220);
    const std::vector<std::string> machine = {"--module", "1",     "--centre",       "100",
                                              "--stud",   "45-95", "--max-diameter", "130"};
    std::vector<Task> tasks = {
        {"select, 211 gears, ratio 1.23456", {"select", "--gears", gears, "--ratio", "1.23456"}},
        {"select --fit-only, 211 gears, ratio 1.23456 (m1 D100 stud 45-95 cover 130)",
         {"select", "--gears", gears, "--ratio", "1.23456", "--fit-only"}},
        {"chart, 211 gears, hob-index K=24 z=17-120 (104 rows)",
         {"chart", "--gears", gears, "--hob-index", "24", "--teeth", "17-120"}},
        {"chart, 211 gears, metric threads on a 6 mm leadscrew (24 rows)",
         {"chart", "--gears", gears, "--leadscrew", "6mm", "--threads", "metric"}},
        {"chart --format json, 211 gears, hob-index K=24 z=17-120",
         {"chart", "--gears", gears, "--hob-index", "24", "--teeth", "17-120", "--format", "json"}},
    };
    tasks[1].args.insert(tasks[1].args.end(), machine.begin(), machine.end());
    for (int r = 0; r < runs; ++r) {
        for (Task& task : tasks) {
            std::vector<std::string> args = {cli};
            args.insert(args.end(), task.args.begin(), task.args.end());
            task.runs.push_back(runOnce(args));
        }
    }
    const Run select = tasks[0].median();
    std::cout << "| Command | Whole process, CPU | Against | Ratio | Peak |\n"
              << "|---|---:|---|---:|---:|\n";
    for (const Task& task : tasks) {
        const Run m = task.median();
        const bool isSelect = &task == &tasks[0];
        std::cout << "| " << task.name << " | " << ms(m.cpuSeconds) << " | "
                  << (isSelect ? "-" : "the select above, " + ms(select.cpuSeconds)) << " | "
                  << (isSelect ? "-" : formatted("%.1fx", m.cpuSeconds / select.cpuSeconds))
                  << " | " << formatted("%.1f MB", static_cast<double>(m.peakKiB) / 1024.0)
                  << " |\n";
    }
    std::cout.flush();
    return std::cout.good() ? 0 : 1;
}
