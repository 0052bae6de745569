// SPDX-License-Identifier: GPL-3.0-or-later
// How a machine takes its change gears, on the command line: machines constants keeps the
// geometry, the pairs, the fixed gears, use-once and the gearbox positions; select shows
// whether each train fits and lists only those with --fit-only, lists three-pair trains with
// --pairs 3, and searches every gearbox position of a thread jointly. Expected values are
// worked by hand in the comments.

#include "cli_run.h"
#include "lib_bytes.h"
#include "store/machine_store.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

namespace gearsel {
namespace {

using test::CliRun;
using test::refusedWith;
using Json = nlohmann::json;

class TrainCliTest : public test::FolderTest {
protected:
    void SetUp() override {
        MachineStore::createFile(
            lib(), {{"C6132", 15, {25, 35, 45, 60}}, {"CQ6125", 15, {20, 30, 40, 50, 60, 127}}});
    }
    CliRun cli(const std::string& args) const { return test::runCli(args, dir); }
    // A chart's JSON (chart takes --format json).
    Json chartJson(const std::string& args) const {
        const CliRun run = cli(args + " --format json");
        EXPECT_EQ(run.status, 0) << args << ": " << run.err;
        return Json::parse(run.out.empty() ? "null" : run.out);
    }
    Json json(const std::string& args) const {
        const CliRun run = cli(args + " --json");
        EXPECT_EQ(run.status, 0) << args << ": " << run.err;
        return Json::parse(run.out.empty() ? "null" : run.out);
    }
    // What a run printed, once it succeeded.
    std::string text(const std::string& args) const {
        const CliRun run = cli(args);
        EXPECT_EQ(run.status, 0) << args << ": " << run.err;
        return run.out;
    }
    // The gears 24 to 100 of a hobbing machine, as --gears takes them.
    static std::string hobbingGears() {
        std::string gears = "24";
        for (int z = 25; z <= 100; ++z) {
            gears += "," + std::to_string(z);
        }
        return gears;
    }
};

// Module 1, centre D = 50. 25/45 meshes at (25 + 45)/2 = 35 mm, so it needs an idler zi on
// the stud: a1 = (25 + zi)/2 from the input shaft, a2 = (zi + 45)/2 from the output shaft. The
// slot 40-45 holds a2 from zi = 35 on; 35 is the smallest gear of the set the pair does not
// use, so a1 = 30, a2 = 40, and the stud sits where |OS| = 40 and |IS| = 30 with I = (0, 50):
// y = (40^2 - 30^2 + 50^2) / 100 = 32, x = sqrt(40^2 - 32^2) = 24. With the slot at 45-50
// the idler must be 45 to 55 teeth: 45 is the pair's own, 60 too many, so none fits.
// 25/45 = 5/9 is the one exact train of {25, 35, 45, 60} without repeats.
TEST_F(TrainCliTest, SelectSaysWhetherTheTrainFitsAndWhereItsStudGoes) {
    const std::string select = "select --gears 25,35,45,60 --ratio 5/9 --no-repeats --count 1 "
                               "--module 1 --centre 50";
    EXPECT_EQ(json(select + " --stud 40-45")["results"][0]["fit"],
              Json::parse(R"({"fits":true,"stud":[24.0,32.0],"idler":35,"problems":[]})"));
    const std::string fails = text(select + " --stud 45-50");
    EXPECT_NE(fails.find("装配"), std::string::npos) << fails;
    EXPECT_NE(fails.find("5/9 精确   ✗ 无合适惰轮\n"), std::string::npos) << fails;
    // Without a geometry the column stays out of the table.
    EXPECT_EQ(text("select --gears 25,35,45,60 --ratio 5/9").find("装配"), std::string::npos);
}

// The geometry kept for a machine is read with --machine, and options given win over it.
TEST_F(TrainCliTest, ConstantsAreKeptShownAndRefusedInOneLine) {
    const CliRun set = cli("machines --lib system.lib constants 1 --module 1 --centre 50 "
                           "--stud 40-45 --max-diameter 64 --first 25 --use-once yes");
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_NE(set.out.find("模数 m:           1\n"), std::string::npos) << set.out;
    EXPECT_NE(set.out.find("中间轴距离:       40-45\n"), std::string::npos) << set.out;
    EXPECT_NE(set.out.find("径节 DP:          -\n"), std::string::npos) << set.out;
    const Json kept = json("machines --lib system.lib constants 1");
    EXPECT_EQ(kept["module"], "1");
    EXPECT_EQ(kept["centre"], "50");
    EXPECT_EQ(kept["stud"], "40-45");
    EXPECT_EQ(kept["max_diameter"], "64");
    EXPECT_EQ(kept["first"], "25");
    EXPECT_EQ(kept["use_once"], "yes");
    EXPECT_TRUE(kept["dp"].is_null());
    EXPECT_TRUE(kept["pairs"].is_null());
    // A diametral pitch replaces the module: one tooth size.
    EXPECT_EQ(json("machines --lib system.lib constants 1 --dp 25.4")["module"], Json());
    cli("machines --lib system.lib constants 1 --module 1");

    const Json row = json("select --machine 1 --lib system.lib --ratio 5/9 --no-repeats "
                          "--count 1")["results"][0];
    EXPECT_EQ(row["z1"], 25) << "the first gear is fixed to 25";
    EXPECT_EQ(row["fit"]["idler"], 35);
    EXPECT_EQ(json("select --machine 1 --lib system.lib --ratio 5/9 --no-repeats --count 1 "
                   "--stud 45-50")["results"][0]["fit"]["fits"],
              false);

    const std::pair<const char*, const char*> refused[] = {
        {"--module 0", "--module '0': the module must be above 0 and at most 1000000, not 0"},
        {"--module 1 --dp 24", "--dp"},
        {"--stud 60-40", "the stud's smallest distance 60 exceeds its largest"},
        {"--stud 40", "--stud '40': the stud's distance must read min-max in mm"},
        {"--pairs 4", "the number of pairs must be 2 or 3, not 4"},
        {"--first 9", "must be 10 to 255, not 9"},
        {"--use-once maybe", "use_once must be yes or no"},
        {"--gearbox-positions A1=1,A1=2", "\"A1\" is given twice"},
        {"--gearbox-positions A1=1,B1", "entry 2 must read name=ratio"},
    };
    for (const auto& [options, mentions] : refused) {
        EXPECT_TRUE(refusedWith(
            cli(std::string("machines --lib system.lib constants 1 ") + options), mentions))
            << options;
    }
    EXPECT_EQ(json("machines --lib system.lib constants 1")["stud"], "40-45") << "unchanged";
}

TEST_F(TrainCliTest, FitOnlyListsTheBestTrainsThatFit) {
    // The machine of the test above with the slot at 45-50: 25/45 cannot be mounted, so the
    // list goes on with trains that can; the fast search lists what the reference does.
    const std::string select = "select --gears 25,35,45,60 --ratio 5/9 --count 4 --module 1 "
                               "--centre 50 --stud 45-50 --fit-only";
    const Json fast = json(select);
    ASSERT_FALSE(fast["results"].empty());
    for (const Json& row : fast["results"]) {
        EXPECT_EQ(row["fit"]["fits"], true) << row;
        EXPECT_FALSE(row["z1"] == 25 && row["z2"] == 45 && row["z3"] == 0) << row;
    }
    EXPECT_EQ(fast["results"], json(select + " --engine reference")["results"]);
    EXPECT_TRUE(refusedWith(cli("select --gears 25,35,45,60 --ratio 5/9 --fit-only"),
                            "--fit-only needs the machine's geometry"));
}

// Fixed gears and use-once narrow every search.
TEST_F(TrainCliTest, FixedGearsAndUseOnce) {
    const auto first = [&](const std::string& args) {
        return json("select --gears 20,30,40,60 --ratio 1/2 --count 3 " + args)["results"];
    };
    for (const Json& row : first("--first 30")) {
        EXPECT_EQ(row["z1"], 30) << row;
    }
    // The last driven gear is z2 of a single pair and z4 of two.
    for (const Json& row : first("--last 40")) {
        EXPECT_EQ(row[row["z3"] == 0 ? "z2" : "z4"], 40) << row;
    }
    // 20,40,40 reaches 1/4 only with 20 twice: 20/40 x 20/40. Used once, the set holds one
    // 20, and no train of its three gears comes closer than 20/40 = 1/2.
    const std::string quarter = "select --gears 20,40,40 --ratio 1/4 --count 1";
    const Json twice = json(quarter)["results"][0];
    EXPECT_EQ(twice["exact"], true);
    EXPECT_TRUE(twice["fit"].is_null()) << "without a geometry whether a train fits is unknown";
    const Json once = json(quarter + " --use-once")["results"][0];
    EXPECT_EQ(Json::array({once["z1"], once["z2"], once["z3"], once["z4"]}),
              Json::parse("[20,40,0,0]"));
}

// The hobbing machine that must index 300 teeth with K = 12 needs 12/300 = 1/25; two pairs of
// 24..100 reach no lower than (24/100)^2 = 0.0576. Three pairs do: 24/100 x 25/100 x 40/60 =
// 24000/600000 = 1/25. Every row lists Z1 to Z6 and is exact; without a geometry whether a
// train fits is unknown, so no column says it.
TEST_F(TrainCliTest, ThreePairTrains) {
    const std::string gears = hobbingGears();
    const std::string out = text("select --gears " + gears + " --pairs 3 --ratio 1/25 --count 2");
    EXPECT_NE(out.find(" Z5   Z6"), std::string::npos) << out;
    EXPECT_EQ(out.find("装配"), std::string::npos) << out;
    int rows = 0;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        if (line.find("1/25 精确") == std::string::npos) {
            continue;
        }
        ++rows;
        std::istringstream cells(line);
        std::string number;
        long long z[6] = {};
        ASSERT_TRUE(cells >> number >> z[0] >> z[1] >> z[2] >> z[3] >> z[4] >> z[5]) << line;
        EXPECT_EQ(z[1] * z[3] * z[5], 25 * z[0] * z[2] * z[4]) << line;
    }
    EXPECT_EQ(rows, 2) << out;
    EXPECT_TRUE(refusedWith(cli("select --gears " + gears +
                                " --pairs 3 --ratio 1/25 --module 1 "
                                "--centre 100 --fit-only"),
                            "unknown"));
}

// The same index as a chart row: the three-pair train heads the row, with Z5 and Z6 in every
// format, the printed one included. 24·25·27 · 25 = 45·90·100.
TEST_F(TrainCliTest, ChartRowsTakeThreePairTrainsWhereTheMachineTakesThem) {
    const std::string chart =
        "chart --gears " + hobbingGears() + " --pairs 3 --hob-index 12 --teeth 300-300";
    const std::string out = text(chart);
    EXPECT_NE(out.find("z=300 1/25     24 45 25 90 27 100      0.0400000 1/25     0        0"
                       "        精确\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("共 1 行，其中 0 行没有精确的挂轮组"), std::string::npos) << out;
    // No repeat, nothing to buy.
    EXPECT_EQ(text(chart + " --format csv"),
              "目标,要求速比,Z1,Z2,Z3,Z4,Z5,Z6,重复,计算速比,速比分数,绝对精度,相对精度,精确,"
              "建议添置,添置后挂轮\n"
              "z=300,1/25,24,45,25,90,27,100,,0.04,1/25,0,0,精确,,\n");
    // Printed with the same six tooth counts.
    const CliRun pdf = cli(chart + " --pdf chart.pdf");
    ASSERT_EQ(pdf.status, 0) << pdf.err;
    EXPECT_EQ(pdf.out, "已写入 chart.pdf（1 页）\n");
    // The page's lines with every run of blanks made one.
    const std::string page = std::regex_replace(
        test::commandOutput("pdftotext -layout chart.pdf -", dir), std::regex("[ \t]+"), " ");
    EXPECT_NE(page.find("Z1 Z2 Z3 Z4 Z5 Z6 重复"), std::string::npos) << page;
    EXPECT_NE(page.find("z=300 1/25 24 45 25 90 27 100 0.0400000 1/25 0 0 精确"), std::string::npos)
        << page;
}

// A pitch of 1.5 mm on a leadscrew of 6 mm needs 1/4: the change gears make 1/2 in position
// A = 1/2 and 1/4 in B = 1. Of 20, 30, 40, 50, 60, 127 without repeats, 1/2 is exactly 20/40
// and 30/60 only (a two-pair train would need b·d = 2·a·c of four distinct counts: none), so
// these lead, in the order of the positions; then B's one exact train, 20/40 x 30/60 (1/4 of
// four distinct counts needs b·d = 4·a·c: 40·60 = 4·20·30 alone).
TEST_F(TrainCliTest, AThreadIsSearchedInEveryGearboxPositionAndTheyTravelWithTheMachine) {
    ASSERT_EQ(cli("machines --lib system.lib constants 2 --leadscrew 6mm "
                  "--gearbox-positions A=1/2,B=1 --stud 40-60")
                  .status,
              0);
    const Json rows = json("select --machine 2 --lib system.lib --no-repeats --count 3 thread "
                           "--pitch 1.5mm")["results"];
    ASSERT_EQ(rows.size(), 3U);
    for (std::size_t r = 0; r < 3; ++r) {
        const bool a = r < 2;
        EXPECT_EQ(rows[r]["position"], a ? "A" : "B") << rows[r];
        EXPECT_EQ(rows[r]["exact"], true) << rows[r];
        EXPECT_EQ(rows[r]["den"], a ? 2 : 4) << rows[r];
    }
    EXPECT_EQ(Json::array({rows[0]["z1"], rows[0]["z2"], rows[1]["z1"], rows[1]["z2"]}),
              Json::parse("[20,40,30,60]"));
    EXPECT_EQ(Json::array({rows[2]["z1"], rows[2]["z2"], rows[2]["z3"], rows[2]["z4"]}),
              Json::parse("[20,40,30,60]"));
    // A gearbox ratio given for the run fixes the gearbox: no positions.
    const Json fixed = json("select --machine 2 --lib system.lib --count 1 thread --pitch 1.5mm "
                            "--gearbox 1/2")["results"][0];
    EXPECT_FALSE(fixed.contains("position"));
    EXPECT_EQ(fixed["den"], 2);

    // A thread chart searches the positions the same way, each row naming its own: on 20, 40
    // and 80 used once, 0.75 mm (1/8) is 20/80 in A, 3 mm (1/2) is 20/40 in B, as 1 in A has
    // no pair of different gears.
    const std::string chart = "chart --gears 20,40,80 --use-once --leadscrew 6mm "
                              "--gearbox-positions A=1/2,B=1 --threads 0.75mm,3mm";
    const std::string out = text(chart);
    EXPECT_NE(out.find("目标   档位 要求速比 Z1"), std::string::npos) << out;
    EXPECT_NE(out.find("3mm    B    1/2      20 40"), std::string::npos) << out;
    EXPECT_EQ(text(chart + " --format csv"),
              "目标,档位,要求速比,Z1,Z2,Z3,Z4,重复,计算速比,速比分数,绝对精度,相对精度,精确,"
              "建议添置,添置后挂轮\n"
              "0.75mm,A,1/4,20,80,,,,0.25,1/4,0,0,精确,,\n"
              "3mm,B,1/2,20,40,,,,0.5,1/2,0,0,精确,,\n");
    // The machine's positions, unless the run fixes the gearbox.
    EXPECT_EQ(
        chartJson("chart --machine 2 --lib system.lib --threads 1.5mm")["rows"][0]["position"],
        "A");
    EXPECT_FALSE(
        chartJson("chart --machine 2 --lib system.lib --threads 1.5mm --gearbox 1/2")["rows"][0]
            .contains("position"));
    EXPECT_TRUE(refusedWith(cli("chart --gears 20,40 --leadscrew 6mm --gearbox-positions "
                                "A=1,A=2 --threads 1mm"),
                            "given twice"));

    // The positions' commas survive a CSV export and import.
    const CliRun exported = cli("machines --lib system.lib export");
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_NE(exported.out.find(",\"gearbox_positions=A=0.5,B=1\""), std::string::npos)
        << exported.out;
    test::writeFile((dir / "machines.csv").string(), exported.out);
    ASSERT_EQ(cli("machines --lib system.lib import --replace machines.csv").status, 0);
    const Json kept = json("machines --lib system.lib constants 2");
    EXPECT_EQ(kept["gearbox_positions"], "A=0.5,B=1");
    EXPECT_EQ(kept["stud"], "40-60");
    EXPECT_EQ(kept["leadscrew"], "6mm");
}

} // namespace
} // namespace gearsel
