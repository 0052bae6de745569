// SPDX-License-Identifier: GPL-3.0-or-later
// Three-pair trains: the production search against the reference enumeration on random small
// gear sets with every option, and both against lists worked out by hand. The random inputs
// come from a fixed seed; for a longer local run set GEARSEL_DIFF_SEED (a number, or "random")
// and GEARSEL_DIFF_CASES.

#include "differential_cases.h"
#include "engine/selection.h"
#include "engine/three_pair_reference.h"
#include "engine/three_pair_search.h"

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

constexpr std::uint64_t kCiSeed = 20240623;

struct Case {
    SearchRequest request;
    std::optional<Fraction> fraction;
};

std::string describe(const Case& c) {
    const SearchRequest& r = c.request;
    std::string text = "gears {";
    for (const std::int16_t teeth : r.gears) {
        text += std::to_string(teeth) + ",";
    }
    char rest[240];
    std::snprintf(rest, sizeof rest,
                  "} ratio %.17g (%a) fraction %s count %d zn %d repeats %d first %d last %d "
                  "once %d",
                  r.requiredRatio, r.requiredRatio,
                  c.fraction ? c.fraction->text().c_str() : "none", r.resultCount, r.zn,
                  r.allowRepeats, r.firstDriver.value_or(0), r.lastDriven.value_or(0), r.useOnce);
    return text + rest;
}

std::string describe(const ThreePairSlot& s) {
    char text[160];
    const ThreePairTrain& t = s.train;
    std::snprintf(text, sizeof text, "%d/%d x %d/%d x %d/%d %s ratio %a error %a", t.z1, t.z2, t.z3,
                  t.z4, t.z5, t.z6, s.repeat ? "R" : "-", s.calcRatio, s.absError);
    return text;
}

// Runs the reference and the production search every way (pairing products with and without
// the bounds of each side, walking every arrangement); on a difference, a text naming the case
// and the first differing row.
std::string compareEngines(const Case& c) {
    std::vector<std::int16_t> sorted = c.request.gears;
    sortGears(sorted);
    const auto reference = enumerateThreePairs(sorted, c.request, c.fraction);
    const auto bits = [](double d) { return std::bit_cast<std::uint64_t>(d); };
    const std::pair<const char*, ThreePairTuning> ways[] = {
        {" (pairing products)", {0, 0.0}},
        {" (pairing bounded products)", {0, 2.0}},
        {" (walking)", {UINT64_MAX, 0.0}},
    };
    for (const auto& [way, tuning] : ways) {
        const auto fast = searchThreePairs(sorted, c.request, c.fraction, tuning);
        for (std::size_t at = 0; at < std::max(fast.size(), reference.size()); ++at) {
            if (at >= fast.size() || at >= reference.size()) {
                return describe(c) + way + ": " + std::to_string(fast.size()) + " rows fast, " +
                       std::to_string(reference.size()) + " reference";
            }
            const ThreePairSlot& x = fast[at];
            const ThreePairSlot& y = reference[at];
            if (x.train != y.train || x.repeat != y.repeat ||
                bits(x.calcRatio) != bits(y.calcRatio) || bits(x.absError) != bits(y.absError)) {
                return describe(c) + way + ": row " + std::to_string(at + 1) + " fast " +
                       describe(x) + ", reference " + describe(y);
            }
        }
    }
    return {};
}

// Random small requests: few gears with copies, ratios that trains hit exactly or miss by a
// bit, fractions and doubles, shafts that let everything or nothing pass, fixed gears inside
// and outside the set, and the repeat and use-once rules.
class CaseMaker {
public:
    explicit CaseMaker(std::uint64_t seed) : rng_(seed) {}

    Case next() {
        Case c;
        SearchRequest& r = c.request;
        r.gears = gears(below(8) == 0 ? 1 + below(3) : 4 + below(5));
        ratio(c);
        r.resultCount = below(6) == 0 ? 100 + below(2000) : below(25);
        r.zn = below(8) == 0 ? any(std::vector{-300, -20, 0, 60, 200}) : 5 + below(36);
        r.allowRepeats = below(3) != 0;
        r.useOnce = below(3) == 0;
        const auto fixed = [&]() -> std::optional<int> {
            const int kind = below(4);
            return kind <= 1   ? std::nullopt
                   : kind == 2 ? std::optional<int>(any(r.gears))
                               : std::optional<int>(10 + below(246));
        };
        r.firstDriver = fixed();
        r.lastDriven = below(5) == 0 ? r.firstDriver : fixed();
        return c;
    }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    template <class T> T any(const std::vector<T>& values) {
        return values[static_cast<std::size_t>(below(static_cast<int>(values.size())))];
    }

    std::vector<std::int16_t> gears(int count) {
        // A small pool makes copies common; a step of 5 makes many trains share a ratio.
        const int kind = below(3);
        std::vector<std::int16_t> pool;
        for (int i = below(2) == 0 ? count : 1 + below(count); i > 0; --i) {
            pool.push_back(static_cast<std::int16_t>(kind == 0   ? 10 + below(246)
                                                     : kind == 1 ? 20 + 5 * below(12)
                                                                 : 20 + below(30)));
        }
        std::vector<std::int16_t> out;
        for (int i = 0; i < count; ++i) {
            out.push_back(any(pool));
        }
        return out;
    }

    void ratio(Case& c) {
        const auto& gears = c.request.gears;
        const auto gear = [&] { return static_cast<std::int64_t>(any(gears)); };
        const Fraction train(gear() * gear() * gear(), gear() * gear() * gear());
        const int kind = below(10);
        if (kind <= 4) {
            // Exact: a train's own ratio, a small fraction, a short decimal, a negative one.
            c.fraction = kind <= 1   ? train
                         : kind == 2 ? Fraction(1 + below(300), 1 + below(300))
                         : kind == 3 ? Fraction(1 + below(9999999), 1000000)
                                     : Fraction(-1 - below(50), 1 + below(50));
            c.request.requiredRatio = c.fraction->toDouble();
            return;
        }
        const double near = train.toDouble();
        c.request.requiredRatio =
            kind == 5   ? std::nextafter(near, below(2) == 0 ? 0.0 : DBL_MAX)
            : kind == 6 ? near * (1.0 + (below(2) == 0 ? 1e-9 : -1e-9))
            : kind == 7 ? std::pow(10.0, std::uniform_real_distribution<double>(-2, 2)(rng_))
            : kind == 8 ? any(std::vector{-2.5, 1e-300, 2e-5, 3e4, DBL_MAX})
                        : near;
    }

    std::mt19937_64 rng_;
};

// One listed train as the tests write it: z1 .. z6, the repeat mark, ratio and error.
struct Row {
    int z[6];
    bool repeat;
    double ratio;
    double error;
};

// The engines' lists for the request, each checked against `expected`.
void expectRows(const SearchRequest& request, const std::optional<Fraction>& fraction,
                const std::vector<Row>& expected,
                std::initializer_list<EngineKind> engines = {EngineKind::Production,
                                                             EngineKind::Reference}) {
    for (const EngineKind engine : engines) {
        const auto list = runThreePairSelection(request, fraction, engine).slots;
        ASSERT_EQ(list.size(), expected.size()) << describe({request, fraction});
        for (std::size_t at = 0; at < list.size(); ++at) {
            const ThreePairSlot& s = list[at];
            const Row& e = expected[at];
            const ThreePairTrain train{
                static_cast<std::int16_t>(e.z[0]), static_cast<std::int16_t>(e.z[1]),
                static_cast<std::int16_t>(e.z[2]), static_cast<std::int16_t>(e.z[3]),
                static_cast<std::int16_t>(e.z[4]), static_cast<std::int16_t>(e.z[5])};
            EXPECT_EQ(describe(s), describe(ThreePairSlot{train, e.repeat, e.ratio, e.error}))
                << "row " << at + 1 << ", " << describe({request, fraction});
        }
    }
}

// Gears of two counts, 20 and 40: a train with k forties among its drivers and m among its
// driven gears has the ratio 2^(k - m), so every list can be worked out by hand.
TEST(ThreePairWorkedTest, TwoToothCounts) {
    SearchRequest request{{20, 40}, 0.125, 3, 15, true, true};
    // 1/8 exactly, then the two trains of 1/4, in the order of (z1, ..., z6).
    expectRows(request, Fraction(1, 8),
               {{{20, 40, 20, 40, 20, 40}, true, 0.125, 0.0},
                {{20, 20, 20, 40, 20, 40}, true, 0.25, 0.125},
                {{20, 40, 20, 40, 40, 40}, true, 0.25, 0.125}});
    // 3/8 lies 1/8 from 1/4 and from 1/2: five trains tie and come in the order of their teeth.
    request.resultCount = 5;
    request.requiredRatio = 0.375;
    const std::vector<Row> tied = {{{20, 20, 20, 20, 20, 40}, true, 0.5, 0.125},
                                   {{20, 20, 20, 40, 20, 40}, true, 0.25, 0.125},
                                   {{20, 20, 20, 40, 40, 40}, true, 0.5, 0.125},
                                   {{20, 40, 20, 40, 40, 40}, true, 0.25, 0.125},
                                   {{20, 40, 40, 40, 40, 40}, true, 0.5, 0.125}};
    expectRows(request, Fraction(3, 8), tied);
    request.resultCount = 3;
    expectRows(request, Fraction(3, 8), {tied[0], tied[1], tied[2]});
    // z2 + zn < z3 + z4 needs zn < 20 for the train of 1/8; at 40 nothing can be mounted, and
    // without repeats six gears of two counts never make a train.
    request.zn = 40;
    expectRows(request, Fraction(3, 8), {});
    request.zn = 15;
    request.allowRepeats = false;
    expectRows(request, Fraction(3, 8), {});
}

TEST(ThreePairWorkedTest, UseOnceCountsTheCopiesOfTheSet) {
    // Three gears of each count: (k, m) must use at most three of each.
    SearchRequest request{{20, 20, 20, 40, 40, 40}, 0.125, 3, 15, true, true};
    request.useOnce = true;
    expectRows(request, Fraction(1, 8),
               {{{20, 40, 20, 40, 20, 40}, true, 0.125, 0.0},
                {{20, 20, 20, 40, 40, 40}, true, 0.5, 0.375},
                {{20, 40, 40, 20, 40, 20}, true, 2.0, 1.875}});
    request.gears = {20, 40};
    expectRows(request, Fraction(1, 8), {});
}

TEST(ThreePairWorkedTest, FixedGearsStandAtTheEnds) {
    // The first driver 40: the trains of the other lists that begin with 20 are gone.
    SearchRequest request{{20, 40}, 0.125, 3, 15, true, true};
    request.firstDriver = 40;
    expectRows(request, Fraction(1, 8),
               {{{40, 40, 20, 40, 20, 40}, true, 0.25, 0.125},
                {{40, 20, 20, 40, 20, 40}, true, 0.5, 0.375},
                {{40, 40, 20, 40, 40, 40}, true, 0.5, 0.375}});
    // A 30 the set does not hold is mounted first and used nowhere else: the best train is
    // 30·20·20 / 40^3 = 0.1875.
    request.firstDriver = 30;
    request.resultCount = 1;
    expectRows(request, Fraction(1, 8), {{{30, 40, 20, 40, 20, 40}, true, 0.1875, 0.0625}});
    // A mounted last gear 50: 20^3 / (40·40·50) = 0.1.
    request.firstDriver.reset();
    request.lastDriven = 50;
    expectRows(request, Fraction(1, 8), {{{20, 40, 20, 40, 20, 50}, true, 0.1, 0.025}});
}

TEST(ThreePairWorkedTest, HobbingThreeHundredTeethOnGearsFrom24To100) {
    // Indexing 300 teeth with K = 12 needs 12/300 = 1/25 = 0.04, below the smallest two-pair
    // train of these gears, 24/100 x 24/100 = 0.0576. With z1 = 24 the driven gears must make
    // 25·24·z3·z5 <= z2·100^2, so z2 >= 35; 35 needs 7 | z3·z5 <= 583, which no z3, z5 >= 24
    // give; 36 gives 24·24·24 / (36·96·100) and 24·24·25 / (36·100·100); 37 and 38 need 37 or
    // 19 in z3·z5, too large; 39 gives 24·24·26 / (39·96·100).
    SearchRequest request{{}, 0.04, 3, 15, true, true};
    for (int teeth = 24; teeth <= 100; ++teeth) {
        request.gears.push_back(static_cast<std::int16_t>(teeth));
    }
    // The reference would walk 77^6 trains: the production search alone.
    expectRows(request, Fraction(1, 25),
               {{{24, 36, 24, 96, 24, 100}, true, 0.04, 0.0},
                {{24, 36, 24, 100, 25, 100}, true, 0.04, 0.0},
                {{24, 39, 24, 96, 26, 100}, true, 0.04, 0.0}},
               {EngineKind::Production});
}

TEST(ThreePairWorkedTest, RefusesWhatTheSearchCannotUse) {
    SearchRequest request{{20, 40}, 0.125, 3, 15, true, true};
    request.lastDriven = 300;
    EXPECT_THROW(runThreePairSelection(request, std::nullopt), SearchRefused);
    request.lastDriven.reset();
    request.requiredRatio = 0.0;
    EXPECT_THROW(runThreePairSelection(request, Fraction(0, 1)), SearchRefused);
    request.requiredRatio = 0.125;
    request.resultCount = 0;
    EXPECT_TRUE(runThreePairSelection(request, std::nullopt).slots.empty());
}

TEST(ThreePairDifferentialTest, RandomRequestsGiveTheReferenceList) {
    const std::uint64_t seed = diffSeed(kCiSeed);
#ifdef GEARSEL_SANITIZED
    const int cases = diffCases(250, 5);
#else
    const int cases = diffCases(4000, 5);
#endif
    CaseMaker maker(seed);
    for (int i = 0; i < cases; ++i) {
        const Case c = maker.next();
        const std::string difference = compareEngines(c);
        ASSERT_TRUE(difference.empty())
            << "GEARSEL_DIFF_SEED=" << seed << ", case " << i << ": " << difference;
    }
}

} // namespace
} // namespace gearsel
