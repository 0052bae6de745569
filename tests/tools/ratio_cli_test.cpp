// SPDX-License-Identifier: GPL-3.0-or-later
// gearsel-cli ratio, and select with an exact required ratio, run as a user would.

#include "cli_run.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>

namespace {

using gearsel::test::CliRun;
using gearsel::test::refusedWith;
using gearsel::test::runCli;
using Json = nlohmann::json;

Json jsonOf(const std::string& args) {
    const CliRun run = runCli(args + " --json");
    EXPECT_EQ(run.status, 0) << args << ": " << run.err;
    return Json::parse(run.out);
}

TEST(RatioCliTest, FractionWhereExactDecimalAlways) {
    const std::pair<const char*, const char*> cases[] = {
        {"thread --pitch 1.5mm --leadscrew 8tpi", "60/127 = 0.47244094488188976\n"},
        {"thread --pitch 1.5MM --leadscrew 6mm", "1/4 = 0.25\n"},
        {"thread --pitch 20tpi --leadscrew '6 mm'", "127/600 = 0.21166666666666667\n"},
        {"thread --pitch 3/2mm --starts 2 --leadscrew 6mm --gearbox 3/2",
         "1/3 = 0.33333333333333331\n"},
        {"thread --pitch m2 --leadscrew 6mm", "1.0471975511965976\n"},
        {"hob-index --k 24 --teeth 101", "24/101 = 0.23762376237623761\n"},
        {"hob-diff --c 8 --helix 30 --module 2", "2/1 = 2\n"},
        {"hob-diff --c 8 --helix 45 --module 2", "2.8284271247461898\n"},
        // The dividing head's sign in words: z' < z turns the plate against the crank.
        {"divide --n 40 --teeth 127 --approx 120",
         "-7/3 = -2.3333333333333335\n"
         "速比为负：分度盘与手柄转向相反（用惰轮调整转向），挂轮按 |i| 选配\n"},
        {"divide --n 40 --teeth 59 --approx 60",
         "2/3 = 0.66666666666666663\n速比为正：分度盘与手柄转向相同\n"},
    };
    for (const auto& [args, expected] : cases) {
        const CliRun run = runCli(std::string("ratio ") + args);
        EXPECT_EQ(run.status, 0) << args;
        EXPECT_EQ(run.out, expected) << args;
        EXPECT_TRUE(run.err.empty()) << args << ": " << run.err;
    }
}

TEST(RatioCliTest, JsonCarriesTheFractionOnlyWhenExact) {
    const Json exact = jsonOf("ratio thread --pitch 1.5mm --leadscrew 8tpi");
    EXPECT_EQ(exact, Json::parse(R"({"ratio":0.47244094488188976,"num":60,"den":127,
                                     "exact":true})"));
    EXPECT_EQ(exact["ratio"].get<double>(), 60.0 / 127.0);
    // The JSON double and the 17 digits of the text read back to the same bits.
    const Json worm = jsonOf("ratio thread --pitch dp16 --leadscrew 6mm");
    EXPECT_FALSE(worm.contains("num") || worm.contains("den"));
    EXPECT_FALSE(worm["exact"].get<bool>());
    const CliRun text = runCli("ratio thread --pitch dp16 --leadscrew 6mm");
    EXPECT_EQ(worm["ratio"].get<double>(), std::stod(text.out));
    // The dividing head says which way the plate turns; a thread has nothing to say.
    EXPECT_EQ(jsonOf("ratio divide --n 40 --teeth 127 --approx 120"),
              Json::parse(R"({"ratio":-2.3333333333333335,"num":-7,"den":3,"exact":true,
                              "direction":"opposite"})"));
    EXPECT_EQ(jsonOf("ratio divide --n 40 --teeth 59 --approx 60")["direction"], "same");
    EXPECT_FALSE(exact.contains("direction"));
}

TEST(RatioCliTest, RefusesBadInputInOneLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"thread --pitch 1.5 --leadscrew 6mm", "needs a unit"},
        {"thread --pitch 0mm --leadscrew 6mm", "pitch must be above 0"},
        {"thread --pitch=-2tpi --leadscrew 6mm", "pitch must be above 0"},
        {"thread --pitch xmm --leadscrew 6mm", "not a number with a unit"},
        {"thread --pitch 1.5mm", "needs --leadscrew"},
        {"thread --pitch 1.5mm --leadscrew m2", "mm or tpi"},
        {"thread --pitch 1.5mm --leadscrew 6mm --starts 0", "starts must be at least 1"},
        {"thread --pitch 1.5mm --leadscrew 6mm --gearbox 0", "gearbox ratio must be above 0"},
        {"hob-index --teeth 101", "needs --k"},
        {"hob-index --k 24 --teeth 0", "tooth count must be at least 1"},
        {"hob-index --k 1/0 --teeth 5", "q must be above 0"},
        {"hob-index --k 24 --teeth 1.5", "not a whole number"},
        {"hob-diff --c 8 --helix 90 --module 2", "helix angle"},
        {"hob-diff --c 8 --helix 20 --module 0", "normal module must be above 0"},
        {"divide --n 40 --teeth 127 --approx 127", "must differ"},
        {"divide --n 40 --teeth 127", "--approx"},
        {"", "subcommand"},
        // On a drawing M10 is a thread of pitch 1.5 mm, not module 10.
        {"thread --pitch M10 --leadscrew 6mm",
         "'M10' names a metric thread, not a pitch: give the thread's pitch instead, 1.5mm for "
         "the coarse M10, or write m10 for a worm of module 10"},
        {"thread --pitch M12x1.5 --leadscrew 6mm", "thread's pitch instead, 1.5mm\n"},
        // Ratios no search can use, from every formula: beyond every double, or so close to
        // 0 that the relative error would be.
        {"thread --pitch 1e308mm --leadscrew 1e-308mm", "thread ratio works out as inf"},
        {"thread --pitch 1e-300mm --leadscrew 1e300mm", "thread ratio works out as 0,"},
        {"hob-index --k 1e308 --teeth 1 --starts 2", "hob-index ratio works out as inf"},
        {"hob-index --k 1e-320 --teeth 7", "too close to 0 for a relative error"},
        {"hob-diff --c 1e308 --helix 45 --module 1e-308", "hob-diff ratio works out as inf"},
        {"divide --n 1e308 --teeth 1 --approx 1000000", "divide ratio works out as inf"},
        {"divide --n 1e-310 --teeth 2 --approx 1", "too close to 0 for a relative error"},
        // Numbers that are meant as numbers are told what is wrong with them.
        {"thread --pitch 1e400mm --leadscrew 6mm", "'1e400' is beyond the range of numbers"},
        {"thread --pitch 1/0mm --leadscrew 6mm", "'1/0mm': '1/0': q must be above 0"},
        {"thread --pitch 1,5mm --leadscrew 6mm", "decimals are written with a full stop, as 1.5"},
        {"thread --pitch 1.5mm --leadscrew 6mm --starts 99999999999",
         "starts 99999999999 is too large"},
        {"hob-index --k 24 --teeth -99999999999", "teeth -99999999999 is below 1"},
        {"hob-diff --c 8 --helix 1e-400 --module 2", "'1e-400' is too close to 0 to be held"},
    };
    for (const auto& [args, mention] : cases) {
        EXPECT_TRUE(refusedWith(runCli(std::string("ratio ") + args), mention)) << args;
    }
}

const std::string kThreadGears = "select --gears 20,40,60,120,127 --count 5 --no-repeats --zn 5";

TEST(SelectExactTest, FractionMarksTheTrainsWithExactlyThatRatio) {
    const Json rows = jsonOf(kThreadGears + " --ratio 60/127")["results"];
    ASSERT_EQ(rows.size(), 5U);
    // 60/127 itself has error 0; 20/127 x 120/40 is just as exact, although its double is not.
    EXPECT_EQ(rows[0]["abs_error"].get<double>(), 0.0);
    EXPECT_GT(rows[1]["abs_error"].get<double>(), 0.0);
    for (const Json& row : rows) {
        const auto z = [&](const char* key, int empty) {
            const auto teeth = row[key].get<std::int64_t>();
            return teeth == 0 ? empty : teeth;
        };
        const auto num = row["num"].get<std::int64_t>();
        const auto den = row["den"].get<std::int64_t>();
        EXPECT_EQ(num * z("z2", 1) * z("z4", 1), den * z("z1", 1) * z("z3", 1)) << row;
        EXPECT_EQ(row["exact"].get<bool>(), num == 60 && den == 127) << row;
    }
    EXPECT_TRUE(rows[1]["exact"].get<bool>());

    // The same search on the double of 60/127, typed out in 17 digits: the same list, but a
    // text that long has no fraction, so nothing is marked exact.
    const Json decimal = jsonOf(kThreadGears + " --ratio 0.47244094488188976")["results"];
    const auto withoutMarks = [](Json list) {
        for (Json& row : list) {
            EXPECT_TRUE(row["exact"].is_boolean());
            row.erase("exact");
        }
        return list;
    };
    for (const Json& row : decimal) {
        EXPECT_FALSE(row["exact"].get<bool>());
    }
    EXPECT_EQ(withoutMarks(decimal), withoutMarks(rows));
}

TEST(SelectExactTest, TableShowsTheFractionAndTheMark) {
    const std::string gears = "select --gears 20,25,30,35,40,45,50,55,60,70,80,90,100,120";
    const CliRun exact = runCli(gears + " --ratio 1.25 --no-repeats --count 2");
    ASSERT_EQ(exact.status, 0) << exact.err;
    EXPECT_NE(exact.out.find("速比分数\n"), std::string::npos) << exact.out;
    EXPECT_NE(exact.out.find(" 25   20            1.2500000  0.0000000  0.0000000  5/4 精确\n"),
              std::string::npos)
        << exact.out;
    const CliRun close = runCli(gears + " --ratio 1.23456 --no-repeats --count 1");
    EXPECT_NE(close.out.find("  100/81\n"), std::string::npos) << close.out;
    EXPECT_EQ(close.out.find("精确"), std::string::npos);
}

TEST(SelectExactTest, ANegativeRatioIsSearchedByItsSize) {
    // A train gives |i|, an idler the sign: 201 divisions on the 200 circle need i = -1/5, and
    // the set has 1/5 exactly; 127 on 120 need -7/3.
    const std::string gears = "--gears 20,25,30,35,40,45,50,55,60,70,80,90,100,120";
    const CliRun text = runCli("select " + gears + " divide --n 40 --teeth 201 --approx 200");
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.substr(0, text.out.find('\n')),
              "速比为负：分度盘与手柄转向相反（用惰轮调整转向），挂轮按 |i| 选配");
    EXPECT_NE(text.out.find("  0.2000000  0.0000000  0.0000000  1/5 精确\n"), std::string::npos)
        << text.out;
    const Json byFormula = jsonOf("select " + gears + " divide --n 40 --teeth 127 --approx 120");
    EXPECT_EQ(byFormula["direction"], "opposite");
    ASSERT_EQ(byFormula["results"].size(), 5U);
    for (const Json& row : byFormula["results"]) {
        EXPECT_TRUE(row["exact"].get<bool>()) << row;
        EXPECT_EQ(row["num"], 7);
        EXPECT_EQ(row["den"], 3);
    }
    // Typed as a ratio it is the same search.
    Json typed = jsonOf("select " + gears + " --ratio -7/3");
    EXPECT_EQ(typed["direction"], "opposite");
    EXPECT_EQ(typed["results"], byFormula["results"]);
    // suggest finds the set's own exact train, and nothing to buy.
    const Json suggest = jsonOf("suggest " + gears + " divide --n 40 --teeth 127 --approx 120");
    EXPECT_TRUE(suggest["exact_in_set"].get<bool>());
    EXPECT_EQ(suggest["direction"], "opposite");
}

TEST(SelectExactTest, RefusesMalformedFractions) {
    const std::pair<const char*, const char*> cases[] = {
        {"1/0", "q must be above 0"},    {"1/-2", "q must be above 0"},
        {"1.5/2", "not a fraction p/q"}, {"/2", "not a fraction p/q"},
        {"1/2/3", "not a fraction p/q"}, {"99999999999999999999/1", "within 64 bits"},
        {"0/5", "must not be 0"},        {"1e400", "beyond the range of numbers"},
        {"inf", "not a finite number"},  {"1,5", "written with a full stop, as 1.5"},
    };
    for (const auto& [ratio, mention] : cases) {
        EXPECT_TRUE(refusedWith(runCli("select --gears 20,30 --ratio '" + std::string(ratio) + "'"),
                                mention))
            << ratio;
    }
}

} // namespace
