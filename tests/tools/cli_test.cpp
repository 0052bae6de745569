// Runs the gearsel-cli binary as a user would and checks what it prints and its exit status.

#include "cli_run.h"
#include "engine/selection.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>

namespace {

using gearsel::test::CliRun;
using gearsel::test::runCli;

const std::string kGears = "--gears 20,25,30,35,40,45,50,55,60,70,80,90,100,120";

TEST(CliSelectTest, PrintsRangeGridAndTime) {
    const CliRun run = runCli("select " + kGears + " --ratio 1.23456 --no-repeats");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.err.empty());
    EXPECT_NE(run.out.find("0.0416667 - 24.0000000"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("计算速比"), std::string::npos);
    EXPECT_NE(run.out.find(" 50   90  100   45  1.2345679  0.0000079"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find(" s\n"), std::string::npos);
    // Heading, five rows, range line and time line.
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 8);
}

TEST(CliSelectTest, JsonReadsBackBitIdentically) {
    const CliRun run = runCli("select " + kGears + " --ratio 1.23456 --count 7 --json");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto doc = nlohmann::json::parse(run.out);

    gearsel::SearchRequest request;
    request.gears = {20, 25, 30, 35, 40, 45, 50, 55, 60, 70, 80, 90, 100, 120};
    request.requiredRatio = 1.23456;
    request.resultCount = 7;
    const auto expected = gearsel::runSelection(request);

    ASSERT_EQ(doc["results"].size(), 7U);
    for (std::size_t s = 0; s < 7; ++s) {
        const auto& row = doc["results"][s];
        const auto& slot = expected.results.slots[s];
        EXPECT_EQ(row["z1"].get<int>(), slot.train.z1);
        EXPECT_EQ(row["z4"].get<int>(), slot.train.z4);
        EXPECT_EQ(row["repeat"].get<bool>(), slot.repeat);
        EXPECT_EQ(row["ratio"].get<double>(), slot.calcRatio);
        EXPECT_EQ(row["abs_error"].get<double>(), slot.absError);
        EXPECT_EQ(row["rel_error"].get<double>(), slot.absError / 1.23456);
    }
    EXPECT_EQ(doc["range"][1].get<double>(), 36.0);
    EXPECT_TRUE(doc["seconds"].is_number());
}

TEST(CliSelectTest, EnginesAgreeAndEmptyResultsPrintOnlyTheHeading) {
    const std::string common = "select " + kGears + " --ratio 3.14159 --count 9 --json";
    const auto fast = nlohmann::json::parse(runCli(common + " --engine fast").out);
    const auto reference = nlohmann::json::parse(runCli(common + " --engine reference").out);
    EXPECT_EQ(fast["results"], reference["results"]);

    const CliRun none = runCli("select --gears 20,30 --ratio 3.5 --json");
    ASSERT_EQ(none.status, 0);
    EXPECT_TRUE(nlohmann::json::parse(none.out)["results"].empty());
    const CliRun noGears = runCli("select --gears '' --ratio 1.5");
    ASSERT_EQ(noGears.status, 0) << noGears.err;
    EXPECT_NE(noGears.out.find("速比可选择的范围: -"), std::string::npos);
}

struct BadInput {
    const char* name;
    const char* args;
    const char* mentions;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const BadInput& c, std::ostream* os) {
    *os << c.name;
}

class CliBadInputTest : public ::testing::TestWithParam<BadInput> {};

TEST_P(CliBadInputTest, OneLineOnStderrAndStatusTwo) {
    EXPECT_TRUE(gearsel::test::refusedWith(runCli(GetParam().args), GetParam().mentions));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliBadInputTest,
    ::testing::Values(
        BadInput{"ToothNotANumber", "select --gears 20,abc --ratio 1", "abc"},
        BadInput{"ToothOutOfRange", "select --gears 20,300 --ratio 1", "300"},
        BadInput{"UnknownOption", "select --gears 20 --ratio 1 --fast", "--fast"},
        BadInput{"ZeroRatio", "select --gears 20,30 --ratio 0", "ratio"},
        BadInput{"RatioNotANumber", "select --gears 20,30 --ratio 1.2x", "1.2x"},
        BadInput{"NegativeCount", "select --gears 20,30 --ratio 1 --count -1", "count"},
        BadInput{"HugeCount", "select --gears 20,30 --ratio 1 --count 99999999999", "count"},
        BadInput{"ShaftOutside16Bits", "select --gears 20,30 --ratio 1 --zn 40000", "zn"},
        BadInput{"UnknownEngine", "select --gears 20,30 --ratio 1 --engine quick", "engine"},
        BadInput{"MissingRatio", "select --gears 20,30", "ratio"},
        BadInput{"NoCommand", "", "subcommand"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliHelpTest, DocumentsEveryOption) {
    const CliRun run = runCli("select --help");
    EXPECT_EQ(run.status, 0);
    for (const char* option : {"--gears", "--ratio", "--count", "--zn", "--no-single-pairs",
                               "--no-repeats", "--engine", "--json"}) {
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
    }
}

} // namespace
