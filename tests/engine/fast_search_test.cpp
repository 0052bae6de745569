// SPDX-License-Identifier: GPL-3.0-or-later
// The production search against the reference enumeration: every slot of the two result lists
// must agree, the doubles to the bit, on fixed inputs where the search's shortcuts decide, on
// random inputs, on the shapes where the search is most likely to go wrong (few distinct tooth
// counts with many copies, ratios hit exactly by many trains, long lists), with its cap forced
// onto small sets, and on large gear sets. The random inputs come from a fixed seed; for a
// longer local run set GEARSEL_DIFF_SEED (a number, or "random") and GEARSEL_DIFF_CASES.

#include "differential_cases.h"
#include "engine/fast_search.h"
#include "engine/pair_ratio_index.h"
#include "engine/reference_search.h"
#include "engine/selection.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace gearsel {
namespace {

constexpr std::uint64_t kCiSeed = 20240607;

std::string describe(const SearchRequest& r) {
    std::string gears;
    for (std::int16_t teeth : r.gears) {
        gears += std::to_string(teeth) + ",";
    }
    char rest[200];
    std::snprintf(
        rest, sizeof rest,
        "} ratio %.17g (%a) count %d zn %d singles %d repeats %d first %d last %d once %d",
        r.requiredRatio, r.requiredRatio, r.resultCount, r.zn, r.includeSinglePairs, r.allowRepeats,
        r.firstDriver.value_or(0), r.lastDriven.value_or(0), r.useOnce);
    return "gears {" + gears + rest;
}

std::string describe(const ResultSlot& s) {
    char text[160];
    std::snprintf(text, sizeof text, "%d/%d x %d/%d %s ratio %a error %a", s.train.z1, s.train.z2,
                  s.train.z3, s.train.z4, s.repeat ? "R" : "-", s.calcRatio, s.absError);
    return text;
}

std::string describe(const SearchTuning& t) {
    return " tuning {" + std::to_string(t.capFromCount) + ", " + std::to_string(t.sampleTrains) +
           ", " + std::to_string(t.sampleFirstPairs) + ", " + std::to_string(t.capSlack) + ", " +
           std::to_string(t.walkUpTo) + ", " + std::to_string(t.walkScanUpTo) + ", " +
           std::to_string(t.scanUpTo) + "}";
}

// Empty where the two lists agree to the bit; else where they first differ.
std::string compareLists(const std::vector<ResultSlot>& fast,
                         const std::vector<ResultSlot>& reference) {
    if (fast.size() != reference.size()) {
        return ": slot counts differ";
    }
    const auto bits = [](double d) { return std::bit_cast<std::uint64_t>(d); };
    for (std::size_t s = 0; s < fast.size(); ++s) {
        const ResultSlot& x = fast[s];
        const ResultSlot& y = reference[s];
        if (x.train != y.train || x.repeat != y.repeat || bits(x.calcRatio) != bits(y.calcRatio) ||
            bits(x.absError) != bits(y.absError)) {
            return ": slot " + std::to_string(s + 1) + " fast " + describe(x) + ", reference " +
                   describe(y);
        }
    }
    return {};
}

// Runs the production search with `tuning`, and once more without its walk over every train
// where that tuning would walk small sets, so that its index decides there too; on a
// difference from the reference, returns a text naming the case and the first slot.
std::string compareEngines(const SearchRequest& request, const SearchTuning& tuning = {}) {
    std::vector<std::int16_t> sorted = request.gears;
    sortGears(sorted);
    const auto reference = enumerateReference(sorted, request).slots;
    SearchTuning indexed = tuning;
    indexed.walkUpTo = -1;
    for (const SearchTuning& t : {tuning, indexed}) {
        std::string difference = compareLists(searchFast(sorted, request, t).slots, reference);
        if (!difference.empty()) {
            return describe(request) + describe(t) + difference;
        }
        if (tuning.walkUpTo < 0) {
            break;
        }
    }
    return {};
}

// Random requests that stress what the search relies on: duplicated tooth counts, ties
// between trains of equal exact ratio, ratios that trains hit exactly or to the last bit,
// ratios far from every train, and shaft values that let nothing or everything pass.
class CaseMaker : RandomDraws {
public:
    explicit CaseMaker(std::uint64_t seed) : RandomDraws(seed) {}

    SearchRequest next(int maxGears) {
        SearchRequest r;
        // Mostly small sets, so that ten thousand reference runs stay quick.
        const int tier = below(20);
        r.gears = gears(1 + below(std::min(tier < 12 ? 12 : tier < 19 ? 30 : maxGears, maxGears)));
        r.requiredRatio = ratio(r.gears);
        r.resultCount = below(8) == 0 ? 1 + below(2) : below(31);
        r.zn = below(10) == 0 ? any(std::vector{-32768, -300, -1, 0, 1, 200, 255, 300, 510, 32767})
                              : 5 + below(36);
        r.includeSinglePairs = below(2) == 0;
        r.allowRepeats = below(2) == 0;
        return r;
    }

    // The shapes where the search's shortcuts decide most, kept small for the reference: few
    // distinct tooth counts with many copies, counts on a step so that many trains share one
    // exact ratio, and lists of hundreds to thousands of slots over a couple of dozen counts.
    SearchRequest adversarial() {
        SearchRequest r;
        const int shape = below(3);
        if (shape == 0) {
            std::vector<std::int16_t> counts;
            for (int i = 1 + below(5); i > 0; --i) {
                counts.push_back(static_cast<std::int16_t>(below(2) == 0 ? 10 + below(246)
                                                                         : 20 + 10 * below(9)));
            }
            r.gears = counts;
            for (int i = below(16); i > 0; --i) {
                r.gears.push_back(any(counts));
            }
        } else {
            const int step = shape == 1 ? 5 * (1 + below(2)) : 1;
            for (int i = shape == 1 ? 6 + below(10) : 12 + below(8); i > 0; --i) {
                r.gears.push_back(static_cast<std::int16_t>(shape == 1 ? 20 + step * below(12)
                                                                       : 10 + below(200)));
            }
        }
        const auto gear = [&] { return static_cast<double>(any(r.gears)); };
        const double pair = gear() / gear();
        const int kind = below(4);
        r.requiredRatio = kind == 0   ? 1.0
                          : kind == 1 ? pair
                          : kind == 2 ? (gear() * pair) / gear()
                                      : std::nextafter(pair, below(2) == 0 ? 0.0 : 2.0);
        // Long lists where the reference stays quick: few distinct trains, or a few thousand.
        r.resultCount = shape == 0 && below(3) == 0 ? kMaxResultCount
                        : below(4) == 0             ? below(30)
                                                    : 200 + below(1200);
        r.zn = below(12) == 0 ? -1 - below(20) : 5 + below(36);
        r.includeSinglePairs = below(2) == 0;
        r.allowRepeats = below(3) != 0;
        return r;
    }

    // A fixed first driver and last driven gear (each none, one of the set's counts, or any
    // count, which the set mostly lacks) and the use-once rule, drawn from a stream of their
    // own so that the requests they are added to stay those of the other tests.
    void addFilters(SearchRequest& r) {
        const auto fixed = [&]() -> std::optional<int> {
            const int kind = below(3);
            if (kind == 0 || r.gears.empty()) {
                return std::nullopt;
            }
            return kind == 1 ? any(r.gears) : 10 + below(246);
        };
        r.firstDriver = fixed();
        r.lastDriven = below(4) == 0 ? r.firstDriver : fixed();
        r.useOnce = below(2) == 0;
    }

    // Settings that put a cap on small searches too: the guess of the sample taken as it is
    // (so that a train sits right at the cap), far too low (so that the list does not fill),
    // or generous; each must give the same list.
    SearchTuning tuning() {
        SearchTuning t;
        t.capFromCount = below(4) == 0 ? SearchTuning{}.capFromCount : 1 + below(8);
        t.sampleTrains = any(std::vector{1, 4, 64});
        t.sampleFirstPairs = any(std::vector{1, 16, 2048});
        t.capSlack = any(std::vector{0.0, 0.25, 1.0, 1.0, 4.0});
        // The walk over every train on sets of any size, or never; the slot scan for lists of
        // any length, or for none.
        t.walkUpTo = any(std::vector{-1, SearchTuning{}.walkUpTo, 1 << 30});
        t.walkScanUpTo = any(std::vector{0, SearchTuning{}.walkScanUpTo, kMaxResultCount});
        t.scanUpTo = any(std::vector{0, SearchTuning{}.scanUpTo, kMaxResultCount});
        return t;
    }

private:
    std::vector<std::int16_t> gears(int count) {
        // Pools: every count; a few random counts; a step of 5; a run from 20; a few on a step
        // of 5. A small pool makes duplicates common; a step of 5 makes many trains share one
        // exact ratio, so ties and last-bit differences meet at the limit.
        const int half = std::max(1, count / 2);
        const int kind = below(5);
        const int size = kind == 0   ? 246
                         : kind == 1 ? 1 + below(half)
                         : kind == 2 ? 50
                         : kind == 3 ? half
                                     : 1 + below(std::max(1, count * 2 / 3));
        std::vector<std::int16_t> pool;
        for (int i = 0; i < size; ++i) {
            pool.push_back(static_cast<std::int16_t>(kind == 0   ? 10 + i
                                                     : kind == 1 ? 10 + below(246)
                                                     : kind == 2 ? 10 + 5 * i
                                                     : kind == 3 ? 20 + i
                                                                 : 20 + 5 * below(21)));
        }
        // Drawn in random order, so the search's own sorting takes part too.
        std::vector<std::int16_t> out;
        for (int i = 0; i < count; ++i) {
            out.push_back(any(pool));
        }
        return out;
    }

    double ratio(const std::vector<std::int16_t>& gears) {
        auto gear = [&] { return static_cast<double>(any(gears)); };
        // A train's ratio as the search computes it, so some trains hit it exactly.
        const double pair = gear() / gear();
        const double train = (gear() * pair) / gear();
        const int kind = below(12);
        const double sign = kind == 4 || kind == 5 ? (below(2) == 0 ? 1 : -1) : 0;
        return kind == 0   ? pair
               : kind <= 2 ? train
               : kind == 3 ? std::nextafter(train, below(2) == 0 ? 0.0 : DBL_MAX)
               : kind <= 5 ? train * (1.0 + sign * std::pow(10.0, uniform(-15, -5)))
               : kind == 6 ? std::pow(10.0, uniform(-2, 2))
               : kind == 7 ? (below(3) == 0 ? -train : -uniform(0.0, 1.2))
               : kind == 8 ? std::pow(10.0, uniform(-300, -2))
               : kind == 9 ? (below(4) == 0 ? DBL_MAX : std::pow(10.0, uniform(1.5, 300)))
                           : uniform(0.05, 3.0);
    }
};

TEST(FastSearchDifferentialTest, FixedRequestsWhereAShortcutDecides) {
    // Each was found by breaking that shortcut on purpose. The first three: a train refused
    // for a listed rearrangement gets in on the second pass over a z4 run, a first pair, a row.
    const std::vector<std::int16_t> z2Gears = {250, 250, 250, 163, 163, 163, 155,
                                               76,  84,  84,  84,  240, 215};
    const std::pair<const char*, SearchRequest> cases[] = {
        {"duplicated z3", {{252, 237, 62, 62, 62, 30}, 0x1.ef10aafc2e732p-6, 2, 12, true, true}},
        {"duplicated z2", {z2Gears, 0x1.dce434a9b1017p+0, 5, 24, true, true}},
        {"duplicated z1", {{125, 245, 245, 245, 105}, 0x1.cd9e83e425aeep+0, 1, 10, false, true}},
        // Error below the limit by rounding only, at the edge of the window.
        {"rounding at the limit",
         {{150, 150, 21, 21, 21}, 0x1.23d70a3d70a3ep-1, 5, 18, true, true}},
        {"no gears", {{}, 1.5, 5, 15, true, true}},
        {"no slots", {{20, 30, 40, 50}, 1.2, 0, 15, true, true}},
        {"shaft below every gear", {{20, 30, 40, 50, 50}, 1.2, 20, -32768, true, true}},
        {"shaft above every gear", {{20, 30, 40, 50, 50}, 1.2, 20, 32767, true, false}},
        {"largest ratio", {{20, 30, 40, 50}, DBL_MAX, 5, 15, true, true}},
        {"smallest ratio", {{20, 30, 40, 50}, 0x1p-1074, 5, 15, true, true}},
        {"most negative ratio", {{20, 30, 40, 50}, -DBL_MAX, 5, 15, true, true}},
    };
    for (const auto& [name, request] : cases) {
        EXPECT_EQ(compareEngines(request), "") << name;
    }
}

TEST(FastSearchDifferentialTest, RandomRequestsGiveTheReferenceList) {
    const std::uint64_t seed = diffSeed(kCiSeed);
    const int cases = diffCases(10000, 1);
    CaseMaker maker(seed);
    for (int i = 0; i < cases; ++i) {
        const SearchRequest request = maker.next(60);
        const std::string difference = compareEngines(request);
        ASSERT_TRUE(difference.empty())
            << "GEARSEL_DIFF_SEED=" << seed << ", case " << i << ": " << difference;
    }
    std::printf("%d cases, GEARSEL_DIFF_SEED=%llu\n", cases, static_cast<unsigned long long>(seed));
}

TEST(FastSearchDifferentialTest, AdversarialShapesWithForcedCapsGiveTheReferenceList) {
    const std::uint64_t seed = diffSeed(kCiSeed) + 1;
#ifdef GEARSEL_SANITIZED
    const int cases = diffCases(60, 30);
#else
    const int cases = diffCases(300, 30);
#endif
    CaseMaker maker(seed);
    for (int i = 0; i < cases; ++i) {
        const SearchRequest request = maker.adversarial();
        const SearchTuning tuning = maker.tuning();
        for (const SearchTuning& t : {SearchTuning{}, tuning}) {
            const std::string difference = compareEngines(request, t);
            ASSERT_TRUE(difference.empty())
                << "GEARSEL_DIFF_SEED=" << seed - 1 << ", case " << i << ": " << difference;
        }
    }
}

TEST(FastSearchDifferentialTest, FixedGearsAndUseOnceGiveTheReferenceList) {
    const std::uint64_t seed = diffSeed(kCiSeed) + 2;
#ifdef GEARSEL_SANITIZED
    const int cases = diffCases(600, 3);
    const int hardCases = diffCases(20, 30);
#else
    const int cases = diffCases(3000, 3);
    const int hardCases = diffCases(100, 30);
#endif
    CaseMaker maker(seed);
    CaseMaker filters(seed + 1);
    for (int i = 0; i < cases + hardCases; ++i) {
        SearchRequest request = i < cases ? maker.next(60) : maker.adversarial();
        filters.addFilters(request);
        const SearchTuning tuning = i < cases ? SearchTuning{} : maker.tuning();
        const std::string difference = compareEngines(request, tuning);
        ASSERT_TRUE(difference.empty())
            << "GEARSEL_DIFF_SEED=" << seed - 2 << ", case " << i << ": " << difference;
    }
}

TEST(FastSearchDifferentialTest, LargeGearSets) {
    // `count` gears low + (i * step) mod range: 100 distinct scattered counts; 150 gears over
    // 20..120, so most counts twice; the 211 distinct counts 10..220 that the editor can
    // produce; the ten counts 20, 25 .. 65 three times and twice over for ratio 1.0 and long
    // lists; 45 distinct counts for a capped list of 2000. The reference costs n^4 (and N per
    // candidate), so the biggest sets are left to the optimized build.
    const auto stepped = [](int count, int low, int step, int range) {
        std::vector<std::int16_t> gears;
        for (int i = 0; i < count; ++i) {
            gears.push_back(static_cast<std::int16_t>(low + i * step % range));
        }
        return gears;
    };
    std::vector<SearchRequest> requests = {
        SearchRequest{stepped(100, 10, 37, 246), 1.23456, 24, 15, true, false},
#ifndef GEARSEL_SANITIZED
        SearchRequest{stepped(150, 20, 2, 101), 0.0417, 24, 15, true, true},
        SearchRequest{stepped(211, 10, 1, 211), 3.14159, 24, 15, true, true},
        SearchRequest{stepped(30, 20, 5, 50), 1.0, 999, 15, true, true},
        SearchRequest{stepped(20, 20, 5, 50), 1.0, kMaxResultCount, 15, true, true},
        SearchRequest{stepped(45, 10, 5, 221), 1.23456, 2000, 15, true, true},
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
            if (below(8) == 0 || (teeth == 255 && values.empty())) {
                values.push_back(teeth);
            }
        }
        const PairRatioIndex index(values);
        ASSERT_EQ(index.size(), values.size() * values.size());
        // Bounds that are themselves ratios catch a bucket edge that drops its own pair.
        const auto at = [&] { return static_cast<double>(values[below(int(values.size()))]); };
        const double width = std::pow(10.0, std::uniform_real_distribution<double>(-12, 0)(rng));
        const double a = at() / at(), b = a * (below(2) == 0 ? 1.0 + width : 1.0 - width / 2);
        const double low = std::min(a, b), high = std::max(a, b);
        const auto near = index.near(low, high);
        for (std::size_t v = 0; v < values.size(); ++v) {
            for (std::size_t w = 0; w < values.size(); ++w) {
                const double q = static_cast<double>(values[v]) / values[w];
                EXPECT_TRUE(
                    q < low || q > high ||
                    std::any_of(near.begin(), near.end(),
                                [&](auto pair) { return pair.driver == v && pair.driven == w; }))
                    << values[v] << "/" << values[w] << " in [" << low << ", " << high << "]";
            }
        }
    }
    const PairRatioIndex index(std::vector<int>{20, 30, 45});
    EXPECT_TRUE(index.near(0.0, 0.4).empty());   // below 20/45
    EXPECT_TRUE(index.near(2.3, 1e300).empty()); // above 45/20
    EXPECT_TRUE(index.near(1.2, 1.1).empty());
    EXPECT_TRUE(index.near(std::nan(""), 2.0).empty());
    EXPECT_EQ(index.near(0.0, INFINITY).size(), 9U);
    EXPECT_TRUE(PairRatioIndex(std::vector<int>{}).near(0.0, 10.0).empty());
}

} // namespace
} // namespace gearsel
