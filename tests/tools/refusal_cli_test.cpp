// What gearsel-cli says when it refuses: one line in the user's terms, with control characters
// from arguments and files escaped; and an empty --lib, which names no file.

#include "cli_run.h"
#include "lib_bytes.h"
#include "store/machine_store.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace gearsel {
namespace {

using test::CliRun;
using test::refusedWith;
using test::shellQuoted;

class RefusalCliTest : public test::FolderTest {
protected:
    void SetUp() override {
        MachineStore::createFile(lib(), {{"CA6140", 15, {20, 30, 40, 60}}, {"Y38", 12, {20, 24}}});
    }
    CliRun cli(const std::string& args) const { return test::runCli(args, dir); }
};

// Whether `text` holds a byte that a terminal obeys, other than the line feed that ends it.
bool holdsControlBytes(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\n') || byte == 0x7F;
    });
}

TEST_F(RefusalCliTest, AnEmptyLibPathIsRefusedByEveryCommandAndTheDefaultFileStaysAsItWas) {
    const auto program = test::portableCli(dir);
    const std::string before = test::readFile(dir / "bin" / "system.lib");
    for (const char* args : {"machines --lib '' add X --gears 20", "machines --lib '' list",
                             "machines --lib '' where", "select --machine 1 --lib '' --ratio 1",
                             "ratio --machine 1 --lib '' thread --pitch 1mm --leadscrew 6mm",
                             "suggest --machine 1 --lib '' --ratio 1",
                             "chart --machine 1 --lib '' --hob-index 24 --teeth 20-30",
                             "select --lib '' --machine 1 hob-index --k 24 --teeth 30"}) {
        EXPECT_TRUE(refusedWith(test::runCli(args, dir, program), "--lib: the path of the data "
                                                                  "file is empty"))
            << args;
    }
    EXPECT_TRUE(test::sameBytes(test::readFile(dir / "bin" / "system.lib"), before));
}

TEST_F(RefusalCliTest, ControlCharactersFromArgumentsAndFilesAreShownEscaped) {
    // A constants file with a key that clears the screen, written as JSON writes it.
    test::writeFile(dir / "system.lib.constants.json",
                    R"({"format": "gearsel machine constants", "version": 1,
                        "machines": [{"machine": 1, "name": "CA6140", "\u001b[2J": "1"}]})");
    const struct {
        std::string args;
        std::string shown;
    } cases[] = {
        {"machines --lib " + shellQuoted("no\x1b]0;owned\a.lib") + " list",
         "no\\x1b]0;owned\\x07.lib"},
        {"machines --lib system.lib show " + shellQuoted("CA\r6140"), "'CA\\x0d6140'"},
        {"select --gears " + shellQuoted("20,\x1b[5m") + " --ratio 1", "\\x1b[5m"},
        {"select --bogus" + shellQuoted("\x1b[1m"), "\\x1b[1m"},
        {"ratio --machine 1 --lib system.lib thread --pitch 1mm", "'\\x1b[2J'"},
    };
    for (const auto& [args, shown] : cases) {
        const CliRun run = cli(args);
        EXPECT_TRUE(refusedWith(run, shown)) << args;
        EXPECT_FALSE(holdsControlBytes(run.err)) << args << ": " << run.err;
    }
}

} // namespace
} // namespace gearsel
