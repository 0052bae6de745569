// SPDX-License-Identifier: GPL-3.0-or-later
// gearsel-cli where its output cannot be written: standard output on a full device, and the
// PDF of a chart on a full disk or a device. Each is a failure, told in one line with status 2,
// and a PDF file is written whole or not at all.

#include "cli_run.h"
#include "lib_bytes.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace gearsel {
namespace {

using test::shellQuoted;

class OutputCliTest : public test::FolderTest {
protected:
    void SetUp() override {
        const std::string command = shellQuoted(GEARSEL_MAKE_LIB_PATH) + " " +
                                    shellQuoted(GEARSEL_DEFAULT_MACHINES) + " " +
                                    shellQuoted(lib()) + " >/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }

    // Runs `$CLI ARGS` in the test's folder with standard output sent to `stdoutTarget`,
    // after the shell line `before` (a limit, say); returns the status and standard error.
    test::CliRun run(const std::string& args, const std::string& stdoutTarget,
                     const std::string& before = "") const {
        const std::string script = "cd " + shellQuoted(dir.string()) + " || exit 9; " + before +
                                   " " + shellQuoted(GEARSEL_CLI_PATH) + " " + args + " >" +
                                   stdoutTarget + " 2>.err; echo $? >.status";
        // The script's own status is what it wrote to .status; the shell only has to start.
        if (std::system(("bash -c " + shellQuoted(script)).c_str()) == -1) {
            ADD_FAILURE() << "could not start a shell for: " << args;
        }
        test::CliRun result;
        result.err = test::readFile((dir / ".err").string());
        const std::string status = test::readFile((dir / ".status").string());
        result.status = status.empty() ? -1 : std::stoi(status);
        std::filesystem::remove(dir / ".err");
        std::filesystem::remove(dir / ".status");
        return result;
    }
};

// One line on stderr that names the cause, and status 2.
::testing::AssertionResult failedWith(const test::CliRun& run, const std::string& mentions) {
    if (run.status == 2 && std::count(run.err.begin(), run.err.end(), '\n') == 1 &&
        run.err.find(mentions) != std::string::npos) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "status " << run.status << ", stderr '" << run.err
                                         << "', wanted a mention of '" << mentions << "'";
}

TEST_F(OutputCliTest, EveryCommandFailsWhenStandardOutputCannotBeWritten) {
    const char* commands[] = {
        "--help",
        "select --gears 20,25,30,40 --ratio 1.5",
        "select --gears 20,25,30,40 --ratio 1.5 --json",
        "ratio thread --pitch 1.5mm --leadscrew 6mm",
        "suggest --gears 20,30 --ratio 1/2 --json",
        "chart --gears 20,30,40 --leadscrew 6mm --threads 1mm,2mm --format csv",
        "machines --lib system.lib list",
        "machines --lib system.lib export --format json",
        "machines --lib system.lib where",
    };
    for (const char* args : commands) {
        EXPECT_TRUE(failedWith(run(args, "/dev/full"), "cannot write to standard output: No "
                                                       "space left on device"))
            << args;
        // The same with a standard output that is not open at all.
        EXPECT_TRUE(failedWith(run(args, "&-"), "cannot write to standard output")) << args;
    }
    // Written in full, the same commands succeed.
    for (const char* args : commands) {
        EXPECT_EQ(run(args, "/dev/null").status, 0) << args;
    }
}

TEST_F(OutputCliTest, ChartPdfIsWrittenWholeOrNotAtAll) {
    const std::string chart =
        "chart --machine 'Y3150E 滚齿机' --lib system.lib --hob-index 24 --teeth 17-120 --pdf ";
    // A device cannot be renamed onto: it is written directly, and its refusal reported.
    EXPECT_TRUE(failedWith(run(chart + "/dev/full", "/dev/null"),
                           "cannot write the PDF file '/dev/full': No space left on device"));

    // A disk that fills up (here a limit on file sizes) leaves the old file as it was, and no
    // temporary file beside it.
    {
        std::ofstream old(dir / "chart.pdf");
        old << "last week's chart";
    }
    const std::vector<std::string> before = entries();
    EXPECT_TRUE(failedWith(run(chart + "chart.pdf", "/dev/null", "ulimit -f 8; trap '' XFSZ;"),
                           "cannot write the PDF file 'chart.pdf': File too large"));
    EXPECT_EQ(test::readFile((dir / "chart.pdf").string()), "last week's chart");
    EXPECT_EQ(entries(), before);

    // With room, the whole document takes its place.
    EXPECT_EQ(run(chart + "chart.pdf", "/dev/null").status, 0);
    const std::string pdf = test::readFile((dir / "chart.pdf").string());
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
    EXPECT_EQ(entries(), before);
}

} // namespace
} // namespace gearsel
