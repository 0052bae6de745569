// SPDX-License-Identifier: GPL-3.0-or-later
// Machine constants on the command line: machines constants sees, sets and clears them; ratio
// and select take the constants they are not given from the machine; racing gearsel-cli runs
// never lose a constant nor move one to another machine; a damaged constants file is refused
// in one line.

#include "cli_run.h"
#include "lib_bytes.h"
#include "store/machine_store.h"

#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>

namespace gearsel {
namespace {

using test::CliRun;
using test::refusedWith;
using Json = nlohmann::json;

class ConstantsCliTest : public test::FolderTest {
protected:
    void SetUp() override {
        MachineStore::createFile(lib(), {{"CA6140", 15, {20, 25, 30, 40, 60, 80, 100, 120, 127}},
                                         {"Y38 滚齿机", 12, {20, 24, 25, 30, 40, 48, 50, 101}}});
    }
    CliRun cli(const std::string& args) const { return test::runCli(args, dir); }
    Json json(const std::string& args) const {
        const CliRun run = cli(args + " --json");
        EXPECT_EQ(run.status, 0) << args << ": " << run.err;
        return Json::parse(run.out.empty() ? "null" : run.out);
    }
    std::string sidecar() const { return (dir / "system.lib.constants.json").string(); }
};

TEST_F(ConstantsCliTest, SetSeeAndClear) {
    const CliRun set = cli("machines --lib system.lib constants 1 --leadscrew 12mm --gearbox 1/2");
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(set.out, "序号:             1\n"
                       "机床型号:         CA6140\n"
                       "丝杠螺距:         12mm\n"
                       "进给箱速比:       0.5\n"
                       "分度常数 K:       -\n"
                       "差动常数 C:       -\n"
                       "分度头定数 N:     -\n"
                       "模数 m:           -\n"
                       "径节 DP:          -\n"
                       "中心距 D:         -\n"
                       "中间轴距离:       -\n"
                       "罩下最大外径:     -\n"
                       "挂轮对数:         -\n"
                       "固定首轮:         -\n"
                       "固定末轮:         -\n"
                       "每个挂轮只用一次: -\n"
                       "进给箱手柄位置:   -\n");
    cli("machines --lib system.lib constants 'Y38 滚齿机' --k 24");
    EXPECT_EQ(json("machines --lib system.lib constants 2"),
              Json::parse(R"({"index":2,"name":"Y38 滚齿机","leadscrew":null,"gearbox":null,
                              "k":"24","c":null,"n":null,"module":null,"dp":null,
                              "centre":null,"stud":null,"max_diameter":null,"pairs":null,
                              "first":null,"last":null,"use_once":null,
                              "gearbox_positions":null})"));
    // --clear forgets them all, then sets what is given.
    const Json cleared = json("machines --lib system.lib constants 1 --clear --n 40");
    EXPECT_TRUE(cleared["leadscrew"].is_null());
    EXPECT_EQ(cleared["n"], "40");
    EXPECT_EQ(json("machines --lib system.lib constants CA6140")["n"], "40");
    EXPECT_TRUE(
        refusedWith(cli("machines --lib system.lib constants 1 --leadscrew m2"), "mm or tpi"));
    EXPECT_TRUE(refusedWith(cli("machines --lib system.lib constants 1 --k 0"), "above 0"));
    EXPECT_TRUE(refusedWith(cli("machines --lib system.lib constants 3 --k 2"), "outside 1 to 2"));
}

TEST_F(ConstantsCliTest, RatioAndSelectTakeWhatTheyAreNotGivenFromTheMachine) {
    cli("machines --lib system.lib constants 1 --leadscrew 6mm");
    cli("machines --lib system.lib constants 2 --k 24");
    const std::pair<const char*, const char*> ratios[] = {
        {"ratio --machine 1 --lib system.lib thread --pitch 1.5mm", "1/4 = 0.25\n"},
        {"ratio thread --pitch 1.5mm --machine CA6140 --lib system.lib", "1/4 = 0.25\n"},
        // Given options win over the kept ones.
        {"ratio --machine 1 --lib system.lib thread --pitch 1.5mm --leadscrew 8tpi",
         "60/127 = 0.47244094488188976\n"},
        {"ratio --machine 2 --lib system.lib hob-index --teeth 101",
         "24/101 = 0.23762376237623761\n"},
    };
    for (const auto& [args, out] : ratios) {
        const CliRun run = cli(args);
        EXPECT_EQ(run.status, 0) << args << ": " << run.err;
        EXPECT_EQ(run.out, out) << args;
    }
    // select: the formula's ratio, its fraction marking the exact trains.
    const Json hob = json("select --machine 2 --lib system.lib --count 1 hob-index --teeth 101");
    EXPECT_EQ(hob["results"][0]["num"], 24);
    EXPECT_EQ(hob["results"][0]["den"], 101);
    EXPECT_TRUE(hob["results"][0]["exact"].get<bool>());
    const Json thread = json("select --machine 1 --lib system.lib thread --pitch 20tpi --count 1");
    EXPECT_TRUE(thread["results"][0]["exact"].get<bool>()); // 127/600
    EXPECT_EQ(thread["results"][0]["den"], 600);
    EXPECT_TRUE(refusedWith(cli("ratio --machine 2 --lib system.lib thread --pitch 1mm"),
                            "needs --leadscrew"));
    EXPECT_TRUE(refusedWith(cli("select --gears 20,30 --ratio 1 thread --pitch 1mm"), "not both"));
    EXPECT_TRUE(refusedWith(cli("select --gears 20,30"), "needs --ratio R or a formula"));
}

TEST_F(ConstantsCliTest, ADamagedConstantsFileIsRefusedInOneLine) {
    test::writeFile(sidecar(), "{\"format\": [");
    const std::string data = onDisk();
    for (const char* args :
         {"machines --lib system.lib constants 1", "machines --lib system.lib constants 1 --k 3",
          "machines --lib system.lib rename 1 Other",
          "ratio --machine 2 --lib system.lib hob-index --teeth 5",
          // A search on a machine takes its fixed gears, geometry and pairs from the file.
          "select --machine 1 --lib system.lib --ratio 0.5"}) {
        EXPECT_TRUE(refusedWith(cli(args), "is damaged")) << args;
    }
    EXPECT_EQ(test::readFile(sidecar()), "{\"format\": [");
    EXPECT_TRUE(test::sameBytes(onDisk(), data));
    // What needs no constants goes on as before.
    EXPECT_EQ(cli("select --gears 20,40 --ratio 0.5").status, 0);
    EXPECT_EQ(cli("machines --lib system.lib show 1").status, 0);
}

TEST_F(ConstantsCliTest, RacingRunsLoseNoConstantAndMoveNoneToAnotherMachine) {
    // D0 .. D11 stand before M0 .. M5: every delete moves the M's up one place, while their
    // constants are set and the M's are copied at the same time.
    constexpr int kRounds = 12;
    std::vector<NewMachine> start;
    for (int r = 0; r < kRounds; ++r) {
        start.push_back({"D" + std::to_string(r), 15, {20}});
    }
    for (int m = 0; m < 6; ++m) {
        start.push_back({"M" + std::to_string(m), 15, {30}});
    }
    std::filesystem::remove(lib());
    MachineStore::createFile(lib(), start);
    for (int r = 0; r < kRounds; ++r) {
        const std::string n = std::to_string(r);
        const std::vector<CliRun> runs = test::runCliTogether(
            {"machines --lib system.lib constants M" + std::to_string(r % 6) + " --k " +
                 std::to_string(100 + r),
             "machines --lib system.lib delete D" + n,
             "machines --lib system.lib copy M" + std::to_string((r + 2) % 6) + " C" + n},
            dir);
        for (const CliRun& run : runs) {
            ASSERT_EQ(run.status, 0) << "round " << r << ": " << run.err;
        }
    }
    // M<m> was last set in round m + 6; the copy C<r> took M<(r + 2) % 6>'s constants as they
    // were before round r, set in round r - 4.
    std::map<std::string, std::string> expected;
    for (int m = 0; m < 6; ++m) {
        expected["M" + std::to_string(m)] = std::to_string(106 + m);
    }
    for (int r = 0; r < kRounds; ++r) {
        expected["C" + std::to_string(r)] = r >= 4 ? std::to_string(96 + r) : "";
    }
    const MachineStore store = MachineStore::open(lib());
    std::map<std::string, std::string> kept;
    for (std::size_t i = 0; i < store.machines().size(); ++i) {
        const auto k =
            constantText(store.constants(static_cast<int>(i)), ConstantKey::IndexConstant);
        kept[store.machines()[i].name] = k.value_or("");
    }
    EXPECT_EQ(kept, expected);
    EXPECT_EQ(entries(), (std::vector<std::string>{".system.lib.lock", "system.lib",
                                                   "system.lib.constants.json"}));
}

} // namespace
} // namespace gearsel
