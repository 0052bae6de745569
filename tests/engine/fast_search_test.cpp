// The production search against the reference enumeration: every slot of the two result lists
// must agree, the doubles to the bit, on fixed inputs where the search's shortcuts decide, on
// random inputs and on large gear sets. The random inputs come from a fixed seed; for a longer
// local run set GEARSEL_DIFF_SEED (a number, or "random") and GEARSEL_DIFF_CASES.

#include "engine/pair_ratio_index.h"
#include "engine/selection.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>

namespace gearsel {
namespace {

constexpr std::uint64_t kCiSeed = 20240607;
constexpr int kCiCases = 10000;

std::uint64_t seedFromEnvironment() {
    const char* text = std::getenv("GEARSEL_DIFF_SEED");
    if (text == nullptr || *text == '\0') {
        return kCiSeed;
    }
    if (std::string(text) == "random") {
        return (std::uint64_t{std::random_device{}()} << 32) | std::random_device{}();
    }
    return std::strtoull(text, nullptr, 10);
}

int casesFromEnvironment() {
    const char* text = std::getenv("GEARSEL_DIFF_CASES");
    return text != nullptr && *text != '\0' ? std::atoi(text) : kCiCases;
}

std::string describe(const SearchRequest& r) {
    std::ostringstream out;
    out << "gears {";
    for (std::size_t i = 0; i < r.gears.size(); ++i) {
        out << (i > 0 ? "," : "") << r.gears[i];
    }
    char ratio[80];
    std::snprintf(ratio, sizeof ratio, "%.17g (%a)", r.requiredRatio, r.requiredRatio);
    out << "} ratio " << ratio << " count " << r.resultCount << " zn " << r.zn << " singles "
        << r.includeSinglePairs << " repeats " << r.allowRepeats;
    return out.str();
}

std::string describe(const ResultSlot& s) {
    char text[160];
    std::snprintf(text, sizeof text, "%d/%d x %d/%d %s ratio %a error %a", s.train.z1, s.train.z2,
                  s.train.z3, s.train.z4, s.repeat ? "R" : "-", s.calcRatio, s.absError);
    return text;
}

bool identical(const ResultSlot& x, const ResultSlot& y) {
    return x.train == y.train && x.repeat == y.repeat &&
           std::bit_cast<std::uint64_t>(x.calcRatio) == std::bit_cast<std::uint64_t>(y.calcRatio) &&
           std::bit_cast<std::uint64_t>(x.absError) == std::bit_cast<std::uint64_t>(y.absError);
}

// Runs both engines; on a difference, returns a text naming the case and the first slot.
std::string compareEngines(const SearchRequest& request) {
    const ResultList fast = runSelection(request, EngineKind::Production).results;
    const ResultList reference = runSelection(request, EngineKind::Reference).results;
    if (fast.slots.size() != reference.slots.size()) {
        return describe(request) + ": slot counts differ";
    }
    for (std::size_t s = 0; s < fast.slots.size(); ++s) {
        if (!identical(fast.slots[s], reference.slots[s])) {
            return describe(request) + ": slot " + std::to_string(s + 1) + " fast " +
                   describe(fast.slots[s]) + ", reference " + describe(reference.slots[s]);
        }
    }
    return {};
}

// Random requests that stress what the search relies on: duplicated tooth counts, ties
// between trains of equal exact ratio, ratios that trains hit exactly or to the last bit,
// ratios far from every train, and shaft values that let nothing or everything pass.
class CaseMaker {
public:
    explicit CaseMaker(std::uint64_t seed) : rng_(seed) {}

    SearchRequest next(int maxGears) {
        SearchRequest r;
        r.gears = gears(gearCount(maxGears));
        r.requiredRatio = ratio(r.gears);
        r.resultCount = below(8) == 0 ? 1 + below(2) : below(31);
        r.zn = below(10) == 0 ? pick({-32768, -300, -1, 0, 1, 200, 255, 300, 510, 32767})
                              : 5 + below(36);
        r.includeSinglePairs = below(2) == 0;
        r.allowRepeats = below(2) == 0;
        return r;
    }

private:
    std::vector<std::int16_t> gears(int count) {
        // A small pool makes duplicates common; tooth counts on a step of 5 make many trains
        // share one exact ratio, so ties and last-bit differences meet at the limit.
        std::vector<int> pool;
        switch (below(5)) {
        case 0:
            for (int teeth = 10; teeth <= 255; ++teeth) {
                pool.push_back(teeth);
            }
            break;
        case 1:
            for (int i = 1 + below(std::max(1, count / 2)); i > 0; --i) {
                pool.push_back(10 + below(246));
            }
            break;
        case 2:
            for (int teeth = 10; teeth <= 255; teeth += 5) {
                pool.push_back(teeth);
            }
            break;
        case 3:
            for (int i = 0; i < std::max(1, count / 2); ++i) {
                pool.push_back(20 + i);
            }
            break;
        default:
            for (int i = 1 + below(std::max(1, count * 2 / 3)); i > 0; --i) {
                pool.push_back(20 + 5 * below(21));
            }
            break;
        }
        // Drawn in random order, so the search's own sorting takes part too.
        std::vector<std::int16_t> out;
        for (int i = 0; i < count; ++i) {
            out.push_back(static_cast<std::int16_t>(
                pool[static_cast<std::size_t>(below(static_cast<int>(pool.size())))]));
        }
        return out;
    }

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    double uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(rng_);
    }
    int pick(std::initializer_list<int> values) {
        return values.begin()[below(static_cast<int>(values.size()))];
    }

    // Mostly small sets, so that ten thousand reference runs stay quick.
    int gearCount(int maxGears) {
        const int tier = below(20);
        const int top = tier < 12 ? 12 : tier < 19 ? 30 : maxGears;
        return 1 + below(std::min(top, maxGears));
    }

    double ratio(const std::vector<std::int16_t>& gears) {
        auto gear = [&] {
            return static_cast<double>(
                gears[static_cast<std::size_t>(below(static_cast<int>(gears.size())))]);
        };
        // A train's ratio as the search computes it, so some trains hit it exactly.
        const double pair = gear() / gear();
        const double train = (gear() * pair) / gear();
        switch (below(12)) {
        case 0:
            return pair;
        case 1:
        case 2:
            return train;
        case 3:
            return std::nextafter(train, below(2) == 0 ? 0.0 : DBL_MAX);
        case 4:
        case 5:
            return train * (1.0 + (below(2) == 0 ? 1 : -1) * std::pow(10.0, uniform(-15, -5)));
        case 6:
            return std::pow(10.0, uniform(-2, 2));
        case 7:
            return below(3) == 0 ? -train : -uniform(0.0, 1.2);
        case 8:
            return std::pow(10.0, uniform(-300, -2));
        case 9:
            return below(4) == 0 ? DBL_MAX : std::pow(10.0, uniform(1.5, 300));
        default:
            return uniform(0.05, 3.0);
        }
    }

    std::mt19937_64 rng_;
};

// Inputs on which one of the search's shortcuts decides the list: each was found by breaking
// that shortcut on purpose, so each fails again if the shortcut breaks.
struct FixedCase {
    const char* name;
    std::vector<std::int16_t> gears;
    double ratio;
    int count;
    int zn;
    bool singles;
    bool repeats;
};

void PrintTo(const FixedCase& c, std::ostream* out) {
    *out << c.name;
}

class FastSearchFixedTest : public testing::TestWithParam<FixedCase> {};

TEST_P(FastSearchFixedTest, GivesTheReferenceList) {
    const FixedCase& c = GetParam();
    const SearchRequest request{c.gears, c.ratio, c.count, c.zn, c.singles, c.repeats};
    EXPECT_EQ(compareEngines(request), "");
}

const FixedCase kFixedCases[] = {
    // A train refused for a listed rearrangement gets in on the second pass over a z4 run.
    {"DuplicatedZ3RepeatsItsRun",
     {252, 237, 62, 62, 62, 30},
     0x1.ef10aafc2e732p-6,
     2,
     12,
     true,
     true},
    // ... on the second pass over a first pair.
    {"DuplicatedZ2RepeatsItsPair",
     {250, 250, 250, 163, 163, 163, 155, 76, 84, 84, 84, 240, 215},
     0x1.dce434a9b1017p+0,
     5,
     24,
     true,
     true},
    // ... on the second pass over a row.
    {"DuplicatedZ1RepeatsItsRow",
     {125, 245, 245, 245, 105},
     0x1.cd9e83e425aeep+0,
     1,
     10,
     false,
     true},
    // A train whose error is below the limit by rounding only, at the edge of the window.
    {"RoundingAtTheLimit", {150, 150, 21, 21, 21}, 0x1.23d70a3d70a3ep-1, 5, 18, true, true},
    {"NoGears", {}, 1.5, 5, 15, true, true},
    {"NoSlots", {20, 30, 40, 50}, 1.2, 0, 15, true, true},
    {"ShaftBelowEveryGear", {20, 30, 40, 50, 50}, 1.2, 20, -32768, true, true},
    {"ShaftAboveEveryGear", {20, 30, 40, 50, 50}, 1.2, 20, 32767, true, false},
    {"LargestRatio", {20, 30, 40, 50}, DBL_MAX, 5, 15, true, true},
    {"SmallestRatio", {20, 30, 40, 50}, 0x1p-1074, 5, 15, true, true},
    {"MostNegativeRatio", {20, 30, 40, 50}, -DBL_MAX, 5, 15, true, true},
};

INSTANTIATE_TEST_SUITE_P(Inputs, FastSearchFixedTest, testing::ValuesIn(kFixedCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FastSearchDifferentialTest, RandomRequestsGiveTheReferenceList) {
    const std::uint64_t seed = seedFromEnvironment();
    const int cases = casesFromEnvironment();
    CaseMaker maker(seed);
    for (int i = 0; i < cases; ++i) {
        const SearchRequest request = maker.next(60);
        const std::string difference = compareEngines(request);
        ASSERT_TRUE(difference.empty())
            << "GEARSEL_DIFF_SEED=" << seed << ", case " << i << ": " << difference;
    }
    std::printf("%d cases, GEARSEL_DIFF_SEED=%llu\n", cases, static_cast<unsigned long long>(seed));
}

// `count` gears low + (i * step) mod range: distinct while i * step does not wrap onto itself.
std::vector<std::int16_t> stepped(int count, int low, int step, int range) {
    std::vector<std::int16_t> gears;
    for (int i = 0; i < count; ++i) {
        gears.push_back(static_cast<std::int16_t>(low + i * step % range));
    }
    return gears;
}

TEST(FastSearchDifferentialTest, LargeGearSets) {
    // 100 distinct scattered counts; 150 gears over 20..120, so most counts twice; the 211
    // distinct counts 10..220 that the editor can produce. The reference costs n^4, so the
    // biggest sets are left to the optimized build.
    std::vector<SearchRequest> requests = {
        SearchRequest{stepped(100, 10, 37, 246), 1.23456, 24, 15, true, false},
#ifndef GEARSEL_SANITIZED
        SearchRequest{stepped(150, 20, 2, 101), 0.0417, 24, 15, true, true},
        SearchRequest{stepped(211, 10, 1, 211), 3.14159, 24, 15, true, true},
#endif
    };
    for (const SearchRequest& request : requests) {
        EXPECT_EQ(compareEngines(request), "");
    }
}

TEST(PairRatioIndexTest, NearListsEveryPairInTheInterval) {
    std::mt19937_64 rng(kCiSeed);
    auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    for (int round = 0; round < 200; ++round) {
        std::vector<int> values;
        for (int teeth = 10; teeth <= 255; ++teeth) {
            if (below(8) == 0) {
                values.push_back(teeth);
            }
        }
        if (values.empty()) {
            values.push_back(10 + below(246));
        }
        const PairRatioIndex index(values);
        ASSERT_EQ(index.size(), values.size() * values.size());
        // Bounds that are themselves ratios catch a bucket edge that drops its own pair.
        const auto at = [&] {
            return static_cast<double>(
                values[static_cast<std::size_t>(below(static_cast<int>(values.size())))]);
        };
        const double width = std::pow(10.0, std::uniform_real_distribution<double>(-12, 0)(rng));
        double low = at() / at();
        double high = low * (below(2) == 0 ? 1.0 + width : 1.0 - width / 2);
        if (high < low) {
            std::swap(low, high);
        }
        const auto near = index.near(low, high);
        for (std::size_t v = 0; v < values.size(); ++v) {
            for (std::size_t w = 0; w < values.size(); ++w) {
                const double q = static_cast<double>(values[v]) / values[w];
                if (q < low || q > high) {
                    continue;
                }
                const bool found = std::any_of(near.begin(), near.end(), [&](auto pair) {
                    return pair.driver == v && pair.driven == w;
                });
                EXPECT_TRUE(found)
                    << values[v] << "/" << values[w] << " in [" << low << ", " << high << "]";
            }
        }
    }
    const std::vector<int> some = {20, 30, 45};
    const PairRatioIndex index(some);
    EXPECT_TRUE(index.near(0.0, 0.4).empty());   // below 20/45
    EXPECT_TRUE(index.near(2.3, 1e300).empty()); // above 45/20
    EXPECT_TRUE(index.near(1.2, 1.1).empty());
    EXPECT_TRUE(index.near(std::nan(""), 2.0).empty());
    EXPECT_EQ(index.near(0.0, INFINITY).size(), 9U);
    EXPECT_TRUE(PairRatioIndex(std::vector<int>{}).near(0.0, 10.0).empty());
}

} // namespace
} // namespace gearsel
