// SPDX-License-Identifier: GPL-3.0-or-later
// What gearsel-cli says when it refuses: one line in the user's terms, with control characters
// from arguments and files escaped; and an empty --lib, which names no file.

#include "cli_run.h"
#include "lib_bytes.h"
#include "store/machine_store.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>

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

TEST_F(RefusalCliTest, ImportNamesTheLineAndTheKeyOfWhatItRefuses) {
    const std::string utf16 = "\xff\xfe[\0{\0\"\0n\0\"\0:\0"
                              "1\0}\0]\0";
    const std::pair<std::string, std::string> files[] = {
        {"object.json", R"({"name": "X", "zn": 15, "gears": [20]})"},
        {"utf16.json", utf16},
        {"twice.json", "[\n {\"name\": \"X\", \"zn\": 15,\n  \"zn\": 16, \"gears\": [20]}]"},
        {"unknown.json", "[{\"name\": \"X\", \"zn\": 15, \"gears\": [20]},\n"
                         " {\"name\": \"Y\", \"Zn\": 15, \"gears\": [20]}]"},
        {"nozn.json", "[{\"name\": \"X\",\n  \"gears\": [20]}]"},
        {"badconstant.json", "[{\"name\": \"X\", \"zn\": 15, \"gears\": [20],\n  \"k\": 24}]"},
        {"notutf8.csv", "A,15,20\nB\xff,15,20\n"},
        {"badconstant.csv", "A,15,20,k=0\n"},
    };
    for (const auto& [name, text] : files) {
        test::writeFile(dir / name, text);
    }
    const std::string before = onDisk();
    const std::pair<const char*, const char*> cases[] = {
        {"object.json", "object.json: is a JSON object, but a list of machines is an array"},
        {"utf16.json", "utf16.json: is UTF-16 text, not UTF-8; save it as UTF-8"},
        {"twice.json", "twice.json: line 3: the key 'zn' appears twice in one object (first on "
                       "line 2)"},
        {"unknown.json", "unknown.json: line 2: machine 2 has the unknown key 'Zn'"},
        {"nozn.json", "nozn.json: line 1: machine 1 lacks the key 'zn'"},
        {"badconstant.json", "badconstant.json: line 2: machine 1: k must be a text"},
        {"notutf8.csv", "notutf8.csv: line 2: the byte 0xff is not UTF-8"},
        {"badconstant.csv", "badconstant.csv: line 1: the constant k=0 cannot be used"},
    };
    for (const auto& [file, message] : cases) {
        for (const char* how : {"import ", "import --replace "}) {
            const std::string args = std::string("machines --lib system.lib ") + how + file;
            EXPECT_TRUE(refusedWith(cli(args), std::string("gearsel-cli: ") + message)) << args;
        }
    }
    EXPECT_TRUE(test::sameBytes(onDisk(), before));
}

TEST_F(RefusalCliTest, MessagesSayWhatIsWrongInTheUsersTerms) {
    const std::string sidecar = (dir / "system.lib.constants.json").string();
    const std::string head = "{\"format\": \"gearsel machine constants\", \"version\": 1,\n"
                             " \"machines\": [{\"machine\": 1, \"name\": \"CA6140\",\n";
    const std::string ratio = "ratio --machine 1 --lib system.lib thread --pitch 1mm";
    const struct {
        std::string constants; // the constants file, when there is one
        std::string args;
        std::string mentions;
    } cases[] = {
        {head + " \"leadscrew\": \"6\xffmm\"}]}", ratio,
         "line 3: the byte 0xff is not UTF-8; save the file as UTF-8"},
        {head + " \"leadscrew\": 1e400}]}", ratio, "line 3: the number 1e400 is too large"},
        {head + " \"leadscrew\": \"6mm\", \"leadscrew\": \"8mm\"}]}", ratio,
         "line 3: the key 'leadscrew' appears twice"},
        // An empty new name: refused alike by add, copy and rename, without a stray colon.
        {"", "machines --lib system.lib add '' --gears 20",
         "gearsel-cli: the machine name is empty; give the machine a name"},
        {"", "machines --lib system.lib copy 1 ''",
         "gearsel-cli: the machine name is empty; give the machine a name"},
        {"", "machines --lib system.lib rename 1 '  '",
         "gearsel-cli: the machine name is empty; give the machine a name"},
    };
    const std::string before = onDisk();
    for (const auto& [constants, args, mentions] : cases) {
        std::filesystem::remove(sidecar);
        if (!constants.empty()) {
            test::writeFile(sidecar, constants);
        }
        EXPECT_TRUE(refusedWith(cli(args), mentions)) << args;
    }
    std::filesystem::remove(sidecar);
    // A named pipe where the lock file belongs.
    std::filesystem::remove(dir / ".system.lib.lock");
    ASSERT_EQ(::mkfifo((dir / ".system.lib.lock").c_str(), 0644), 0);
    EXPECT_TRUE(refusedWith(cli("machines --lib system.lib add X --gears 20"),
                            "its lock file ./.system.lib.lock is not a regular file but a named "
                            "pipe (FIFO); a lock file holds nothing, so remove it"));
    EXPECT_TRUE(test::sameBytes(onDisk(), before));
}

} // namespace
} // namespace gearsel
