// SPDX-License-Identifier: GPL-3.0-or-later
// Several gearsel-cli runs on one data file at once, as scripts started together run them:
// every change that reports success is in the file afterwards, no machine gets another's
// gear list, and a run that cannot get the file's lock gives up with one line.

#include "cli_run.h"
#include "lib_bytes.h"
#include "store/file_lock.h"
#include "store/machine_store.h"
#include "store/posix_file_system.h"

#include <chrono>
#include <gtest/gtest.h>
#include <map>

namespace gearsel {
namespace {

using test::CliRun;
using Gears = std::vector<std::int16_t>;

constexpr int kRounds = 12;

// The gear list that the machine named `name` must hold: every name gets its own.
Gears gearsOf(char kind, int round) {
    const auto base = static_cast<std::int16_t>(20 + 4 * round + (kind - 'A'));
    return {base, static_cast<std::int16_t>(base + 100)};
}

std::string listText(const Gears& gears) {
    return std::to_string(gears[0]) + "," + std::to_string(gears[1]);
}

class ConcurrentCliTest : public test::FolderTest {};

TEST_F(ConcurrentCliTest, RacingWritersLoseNothingAndMixNothingUp) {
    // V<r> is deleted in round r while its gear list is replaced at the same time, and two
    // machines are added: either order is fine, a lost or misplaced change is not.
    std::vector<NewMachine> start = {{"Keep", 15, {20, 30}}};
    for (int r = 0; r < kRounds; ++r) {
        start.push_back({"V" + std::to_string(r), 15, gearsOf('V', r)});
    }
    MachineStore::createFile(lib(), start);
    std::map<std::string, Gears> expected = {{"Keep", {20, 30}}};
    for (int r = 0; r < kRounds; ++r) {
        const std::string n = std::to_string(r);
        const std::vector<CliRun> runs = test::runCliTogether(
            {"machines --lib system.lib add A" + n + " --gears " + listText(gearsOf('A', r)),
             "machines --lib system.lib add B" + n + " --gears " + listText(gearsOf('B', r)),
             "machines --lib system.lib set-gears V" + n + " --gears 99,98",
             "machines --lib system.lib delete V" + n},
            dir);
        for (std::size_t i : {0U, 1U, 3U}) {
            EXPECT_EQ(runs[i].status, 0) << "round " << r << ": " << runs[i].err;
        }
        // The gear list was replaced before the delete, or the machine was gone already.
        EXPECT_TRUE(runs[2].status == 0 || test::refusedWith(runs[2], "no machine 'V" + n + "'"))
            << runs[2].err;
        expected["A" + n] = gearsOf('A', r);
        expected["B" + n] = gearsOf('B', r);
    }
    const MachineStore store = MachineStore::open(lib());
    std::map<std::string, Gears> stored;
    for (std::size_t i = 0; i < store.machines().size(); ++i) {
        stored[store.machines()[i].name] = store.gearList(static_cast<int>(i));
    }
    EXPECT_EQ(stored, expected);
    EXPECT_EQ(store.machines().size(), expected.size()); // no name twice
    EXPECT_EQ(entries(), (std::vector<std::string>{".system.lib.lock", "system.lib"}));
}

TEST_F(ConcurrentCliTest, AWriterGivesUpWhileTheLockIsHeld) {
    MachineStore::createFile(lib(), {{"A", 15, {20}}, {"B", 15, {30}}});
    const std::string before = onDisk();
    const FileLock held = FileLock::acquire(posixFileSystem(), lib(), std::chrono::seconds(0));
    const auto start = std::chrono::steady_clock::now();
    const std::vector<CliRun> runs =
        test::runCliTogether({"machines --lib system.lib --wait 1 add C --gears 40",
                              "machines --lib system.lib --wait 1 delete A"},
                             dir);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
    for (const CliRun& run : runs) {
        EXPECT_TRUE(test::refusedWith(run, "is being changed by another program, which holds its "
                                           "lock file ./.system.lib.lock; waited 1 s"));
    }
    EXPECT_TRUE(test::sameBytes(onDisk(), before));
    // Reading needs no lock.
    EXPECT_EQ(test::runCli("machines --lib system.lib list", dir).status, 0);
}

} // namespace
} // namespace gearsel
