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

// Runs both engines; on a difference, a text naming the case and the first differing row.
std::string compareEngines(const Case& c) {
    std::vector<std::int16_t> sorted = c.request.gears;
    sortGears(sorted);
    const auto fast = searchThreePairs(sorted, c.request, c.fraction);
    const auto reference = enumerateThreePairs(sorted, c.request, c.fraction);
    const auto bits = [](double d) { return std::bit_cast<std::uint64_t>(d); };
    for (std::size_t at = 0; at < std::max(fast.size(), reference.size()); ++at) {
        if (at >= fast.size() || at >= reference.size()) {
            return describe(c) + ": " + std::to_string(fast.size()) + " rows fast, " +
                   std::to_string(reference.size()) + " reference";
        }
        const ThreePairSlot& x = fast[at];
        const ThreePairSlot& y = reference[at];
        if (x.train != y.train || x.repeat != y.repeat || bits(x.calcRatio) != bits(y.calcRatio) ||
            bits(x.absError) != bits(y.absError)) {
            return describe(c) + ": row " + std::to_string(at + 1) + " fast " + describe(x) +
                   ", reference " + describe(y);
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

TEST(ThreePairDifferentialTest, RandomRequestsGiveTheReferenceList) {
    const std::uint64_t seed = diffSeed(kCiSeed);
#ifdef GEARSEL_SANITIZED
    const int cases = diffCases(400, 5);
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
