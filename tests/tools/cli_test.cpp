// SPDX-License-Identifier: GPL-3.0-or-later
// gearsel-cli select on a gear list, run as a user would. Refused input: machines_cli_test.cpp.

#include "cli_run.h"
#include "engine/selection.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

namespace {

using gearsel::test::CliRun;
using gearsel::test::runCli;
using Json = nlohmann::json;

const std::string kGears = "select --gears 20,25,30,35,40,45,50,55,60,70,80,90,100,120";

TEST(CliSelectTest, PrintsRangeGridAndTime) {
    const CliRun run = runCli(kGears + " --ratio 1.23456 --no-repeats");
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
    const CliRun run = runCli(kGears + " --ratio 1.23456 --count 7 --json");
    ASSERT_EQ(run.status, 0) << run.err;
    gearsel::SearchRequest request;
    request.gears = {20, 25, 30, 35, 40, 45, 50, 55, 60, 70, 80, 90, 100, 120};
    request.requiredRatio = 1.23456;
    request.resultCount = 7;
    const auto slots = gearsel::runSelection(request).results.slots;
    const Json doc = Json::parse(run.out);
    ASSERT_EQ(doc["results"].size(), 7U);
    for (std::size_t s = 0; s < 7; ++s) {
        const Json& row = doc["results"][s];
        const auto& t = slots[s].train;
        EXPECT_EQ(Json::array({row["z1"], row["z2"], row["z3"], row["z4"]}),
                  Json::array({t.z1, t.z2, t.z3, t.z4}));
        EXPECT_EQ(row["repeat"].get<bool>(), slots[s].repeat);
        // Doubles compared exactly: 17 significant digits read back to the same bits.
        EXPECT_EQ(row["ratio"].get<double>(), slots[s].calcRatio);
        EXPECT_EQ(row["abs_error"].get<double>(), slots[s].absError);
        EXPECT_EQ(row["rel_error"].get<double>(), slots[s].absError / 1.23456);
    }
    EXPECT_EQ(doc["range"][1].get<double>(), 36.0);
    EXPECT_TRUE(doc["seconds"].is_number());
}

TEST(CliSelectTest, LongListsGiveEveryRowInTableAndJson) {
    // 2000 rows of a 14-gear set: the JSON is the library's own text of the document, byte for
    // byte, and lists the search's trains; the table lists the same trains, one line each,
    // with every column at the same place.
    const std::string args = kGears + " --ratio 3/7 --count 2000";
    const CliRun json = runCli(args + " --json");
    ASSERT_EQ(json.status, 0) << json.err;
    // Compared as a truth value: a failure would print the whole document twice.
    EXPECT_TRUE(nlohmann::ordered_json::parse(json.out).dump() + "\n" == json.out);
    const Json doc = Json::parse(json.out);
    gearsel::SearchRequest request;
    request.gears = {20, 25, 30, 35, 40, 45, 50, 55, 60, 70, 80, 90, 100, 120};
    request.requiredRatio = 3.0 / 7.0;
    request.resultCount = 2000;
    const gearsel::ResultList list = gearsel::runSelection(request).results;
    const auto filled = static_cast<std::size_t>(list.filledCount());
    ASSERT_GT(filled, 1000U);
    ASSERT_EQ(doc["results"].size(), filled);
    int exact = 0;
    for (std::size_t s = 0; s < filled; ++s) {
        const Json& row = doc["results"][s];
        const auto& t = list.slots[s].train;
        ASSERT_EQ(Json::array({row["z1"], row["z2"], row["z3"], row["z4"]}),
                  Json::array({t.z1, t.z2, t.z3, t.z4}))
            << s;
        const std::int64_t num = t.z3 == 0 ? t.z1 : t.z1 * t.z3;
        const std::int64_t den = t.z3 == 0 ? t.z2 : t.z2 * t.z4;
        EXPECT_EQ(row["num"].get<std::int64_t>() * den, num * row["den"].get<std::int64_t>());
        EXPECT_EQ(row["exact"].get<bool>(), 7 * num == 3 * den) << s;
        exact += row["exact"].get<bool>() ? 1 : 0;
    }
    EXPECT_GT(exact, 0);

    const CliRun text = runCli(args);
    ASSERT_EQ(text.status, 0) << text.err;
    std::istringstream lines(text.out);
    std::string line;
    std::getline(lines, line); // the range
    std::getline(lines, line); // the headings
    std::size_t rows = 0;
    std::size_t ratioAt = std::string::npos;
    while (std::getline(lines, line) && line.find("计算处理所花的时间") == std::string::npos) {
        const Json& row = doc["results"][rows];
        std::istringstream cells(line.substr(5));
        int z[4] = {};
        cells >> z[0] >> z[1];
        if (row["z3"] != 0) {
            cells >> z[2] >> z[3];
        }
        ASSERT_EQ(Json::array({z[0], z[1], z[2], z[3]}),
                  Json::array({row["z1"], row["z2"], row["z3"], row["z4"]}))
            << line;
        // The calculated ratio, always below 10 here, takes the same columns on every line.
        const std::size_t at = line.find(" 0.");
        ratioAt = rows == 0 ? at : ratioAt;
        ASSERT_EQ(at, ratioAt) << line;
        ++rows;
    }
    EXPECT_EQ(rows, filled);
}

TEST(CliSelectTest, EnginesAgreeAndEmptyResultsAreEmpty) {
    const auto results = [](const std::string& args) {
        const CliRun run = runCli(args + " --json");
        EXPECT_EQ(run.status, 0) << args << ": " << run.err;
        return Json::parse(run.out)["results"];
    };
    const std::string common = kGears + " --ratio 3.14159 --count 9 --engine ";
    EXPECT_EQ(results(common + "fast"), results(common + "reference"));
    EXPECT_TRUE(results("select --gears 20,30 --ratio 3.5").empty());
    const CliRun noGears = runCli("select --gears '' --ratio 1.5");
    ASSERT_EQ(noGears.status, 0) << noGears.err;
    EXPECT_NE(noGears.out.find("速比可选择的范围: -"), std::string::npos);
}

TEST(CliSelectTest, RatiosNearZeroGiveNumbersOrARefusal) {
    // 1e-300: relative errors near 1e297, still numbers in JSON and in the table.
    const CliRun tiny = runCli(kGears + " --ratio 1e-300 --count 3 --json");
    ASSERT_EQ(tiny.status, 0) << tiny.err;
    const Json doc = Json::parse(tiny.out);
    for (const Json& row : doc["results"]) {
        EXPECT_TRUE(row["rel_error"].is_number_float()) << row;
        EXPECT_GT(row["rel_error"].get<double>(), 1e296);
    }
    // 5e-324: the relative error may exceed every double; refused rather than shown as inf or
    // null, by the one rule for every ratio, whatever the list would hold.
    for (const char* options : {"", " --json", " --count 0 --json"}) {
        const CliRun run = runCli(kGears + " --ratio 5e-324" + options);
        EXPECT_TRUE(gearsel::test::refusedWith(run, "too close to 0")) << options;
    }
}

TEST(CliHelpTest, DocumentsEveryOption) {
    const CliRun run = runCli("select --help");
    EXPECT_EQ(run.status, 0);
    for (const char* option : {"--gears", "--ratio", "--count", "--zn", "--no-single-pairs",
                               "--no-repeats", "--engine", "--json"}) {
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
    }
}

} // namespace
