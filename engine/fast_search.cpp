#include "engine/fast_search.h"

#include "engine/pair_ratio_index.h"
#include "engine/search_request.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

// How the search stays identical to the enumeration:
//
// - The ranking changes only when a candidate's error is below the limit, and the limit never
//   grows. So any filter computed with an earlier, looser limit lets through a superset of what
//   the enumeration would offer; each candidate is tested against the current limit right
//   before it is offered, and candidates go out in enumeration order.
// - Candidates that fail the second assembly condition or carry a forbidden repeat mark are
//   turned away without a trace, so they are never offered.
// - A candidate is settled when offering it again can change nothing: it is unfit, its error
//   is not below the limit (and never will be), or it is listed (offered again it is refused
//   as the same train; pushed out, its error is no longer below the limit). A candidate refused
//   because a rearrangement of it is listed is not settled: once that train is pushed out, or
//   another one enters between them, the same candidate would be listed.
// - Equal tooth counts make the enumeration repeat itself: a duplicated z4 repeats a candidate
//   at once, a duplicated z3 repeats the run over z4, a duplicated z2 the whole first pair, a
//   duplicated z1 the whole row. A repetition of candidates that are all settled changes
//   nothing, so the search works on distinct tooth counts and walks a repetition again only
//   where the previous pass left something unsettled, and only there.
// - For one first pair z1/z2, the two-pair trains within the limit have a second-pair ratio
//   z3/z4 near required / (z1/z2). A PairRatioIndex lists the pairs near that value (with a
//   margin for rounding); they are re-tested with the exact arithmetic and sorted back into
//   enumeration order. While the limit is still loose that window is wide, and a walk over z3
//   is cheaper: for each z3 the z4 within the limit form one run, bounded by two divisions.

namespace gearsel {

namespace {

// A two-pair candidate found through the pair index, waiting to be offered in order.
struct Hit {
    int z3Index;
    int z4Index;
    double ratio;
};

// Relative widening of every bound computed from rounded values: far above the few units of
// 2^-53 that the roundings involved can add up to, far below any gap that matters.
constexpr double kMargin = 0x1p-40;

class FastSearch {
public:
    FastSearch(std::span<const std::int16_t> sortedGears, double requiredRatio, int zn,
               bool includeSinglePairs, Ranking& ranking);

    void run();

private:
    // Empty slots hold 1.0, so nothing at 1.0 or beyond can be placed, whatever the ranking's
    // starting limit of 2.0 lets through.
    double limit() const { return std::min(ranking_.errorLimit(), 1.0); }

    int indexAtLeast(int teeth) const;
    // Index of the first distinct tooth count above `teeth`, which is not negative.
    int indexAbove(double teeth) const;
    // Bounds that every computed ratio within `bound` of the required ratio lies strictly
    // between; false when no positive ratio can.
    bool ratioBand(double bound, double& low, double& high) const;

    // First pass over the first pair values_[a] / values_[b] and the further passes owed to
    // duplicates of z2; leaves in `open` the z3 indexes whose trains are still unsettled.
    void firstPairs(int a, int b, std::vector<int>& open);
    // First pass over the two-pair trains of z1/z2, through the pair index or, while the
    // limit is loose, run by run; records in `open` the runs left unsettled.
    void offerWindow(int a, int b, double r12, int z3End, std::vector<int>& open);
    // Repeats of the z3 run after its first pass; records it in `open` if still unsettled.
    void finishRun(int a, int b, int c, bool unsettled, std::vector<int>& open);
    // Up to `passes` passes over the z3 runs listed in `open`, dropping the settled ones.
    void repeatPairs(int a, int b, std::vector<int>& open, int passes);
    // Up to `passes` further passes over one z3 run while it is unsettled; returns whether
    // it still is.
    bool repeatRun(int a, int b, int c, int passes, bool unsettled = true);
    // One pass over z4 for z1/z2 x z3/.. ; true if it left something unsettled.
    bool passRun(int a, int b, int c);
    // Offers one two-pair candidate; true if it was refused for a listed rearrangement.
    bool offer(int z1, int z2, int z3, int z4, double ratio);

    double required_;
    int zn_;
    bool includeSinglePairs_;
    bool allowRepeats_;
    Ranking& ranking_;
    std::vector<int> values_; // distinct tooth counts, ascending
    std::vector<int> counts_; // how often each occurs
    std::array<int, kMaxTeeth + 2> firstIndex_{};
    PairRatioIndex index_;
    std::vector<Hit> hits_;
};

bool isRepeat(int z1, int z2, int z3, int z4) {
    return z1 == z4 || z1 == z3 || z1 == z2 || z2 == z4 || z2 == z3 || z3 == z4;
}

std::vector<int> distinctValues(std::span<const std::int16_t> sortedGears) {
    std::vector<int> values(sortedGears.begin(), sortedGears.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

FastSearch::FastSearch(std::span<const std::int16_t> sortedGears, double requiredRatio, int zn,
                       bool includeSinglePairs, Ranking& ranking)
    : required_(requiredRatio), zn_(zn), includeSinglePairs_(includeSinglePairs),
      allowRepeats_(ranking.allowRepeats()), ranking_(ranking),
      values_(distinctValues(sortedGears)), index_(values_) {
    counts_.assign(values_.size(), 0);
    std::size_t at = 0;
    for (std::int16_t teeth : sortedGears) {
        while (values_[at] != teeth) {
            ++at;
        }
        ++counts_[at];
    }
    for (int teeth = 0, i = 0; teeth <= kMaxTeeth + 1; ++teeth) {
        while (i < static_cast<int>(values_.size()) &&
               values_[static_cast<std::size_t>(i)] < teeth) {
            ++i;
        }
        firstIndex_[static_cast<std::size_t>(teeth)] = i;
    }
}

int FastSearch::indexAtLeast(int teeth) const {
    return firstIndex_[static_cast<std::size_t>(std::clamp(teeth, 0, kMaxTeeth + 1))];
}

int FastSearch::indexAbove(double teeth) const {
    // Clamped before the conversion, which is undefined beyond int (an infinite bound comes
    // from a tiny ratio band); on values that are not negative truncation is the floor.
    const int whole = static_cast<int>(std::clamp(teeth, 0.0, static_cast<double>(kMaxTeeth)));
    return indexAtLeast(whole + 1);
}

bool FastSearch::ratioBand(double bound, double& low, double& high) const {
    // A candidate within the limit has |ratio - required| < bound exactly: its error is that
    // difference rounded, rounding is monotone and bound is a double. A slack of 2^-40
    // relative to |required| + bound covers the rounding of the two sums here many times over.
    const double slack = (std::fabs(required_) + bound) * kMargin;
    high = required_ + bound + slack;
    low = required_ - bound - slack;
    return high > 0.0;
}

void FastSearch::run() {
    // With no slots nothing is ever listed.
    if (ranking_.results().slots.empty()) {
        return;
    }
    struct Owed {
        int b;
        std::vector<int> open;
    };
    std::vector<Owed> owed;
    std::vector<int> open;
    const int n = static_cast<int>(values_.size());
    for (int a = 0; a < n; ++a) {
        owed.clear();
        for (int b = 0; b < n; ++b) {
            firstPairs(a, b, open);
            if (!open.empty()) {
                owed.push_back(Owed{b, open});
            }
        }
        // The row repeats for each further gear with this z1; only unsettled runs matter.
        for (int pass = 1; pass < counts_[static_cast<std::size_t>(a)] && !owed.empty(); ++pass) {
            for (Owed& o : owed) {
                repeatPairs(a, o.b, o.open, counts_[static_cast<std::size_t>(o.b)]);
            }
            std::erase_if(owed, [](const Owed& o) { return o.open.empty(); });
        }
    }
}

void FastSearch::firstPairs(int a, int b, std::vector<int>& open) {
    open.clear();
    const int z1 = values_[static_cast<std::size_t>(a)];
    const int z2 = values_[static_cast<std::size_t>(b)];
    const double r12 = static_cast<double>(z1) / static_cast<double>(z2);
    if (includeSinglePairs_) {
        // A single pair is always settled afterwards: it has no rearrangement.
        const double error = std::fabs(r12 - required_);
        if (error < limit()) {
            ranking_.rankSinglePair(z1, z2, r12, error);
        }
    }
    if (z1 == z2 && !allowRepeats_) {
        return;
    }
    // First assembly condition: z3 + zn < z1 + z2. Sums in int cannot overflow.
    const int z3End = indexAtLeast(z1 + z2 - zn_);
    if (z3End == 0) {
        return;
    }
    offerWindow(a, b, r12, z3End, open);
    repeatPairs(a, b, open, counts_[static_cast<std::size_t>(b)] - 1);
}

void FastSearch::offerWindow(int a, int b, double r12, int z3End, std::vector<int>& open) {
    const int z1 = values_[static_cast<std::size_t>(a)];
    const int z2 = values_[static_cast<std::size_t>(b)];
    const double bound = limit();
    double lowRatio = 0.0;
    double highRatio = 0.0;
    if (!ratioBand(bound, lowRatio, highRatio)) {
        return;
    }
    // No pair that both assembly conditions allow has a larger ratio than the largest allowed
    // z3 over the smallest z4 allowed with it: a smaller z3 only raises the smallest z4. This
    // closes the window of the first pairs whose trains all fall short of the required ratio.
    const int topZ3 = values_[static_cast<std::size_t>(z3End - 1)];
    const int smallestZ4 = indexAtLeast(z2 + zn_ - topZ3 + 1);
    if (smallestZ4 == static_cast<int>(values_.size())) {
        return;
    }
    const double largest = static_cast<double>(topZ3) /
                           static_cast<double>(values_[static_cast<std::size_t>(smallestZ4)]);
    // The candidate's ratio is ((z3 / z4) * r12) * (1 + d1) * (1 + d2) with |d| <= 2^-53, and
    // the index rounds z3 / z4 once more; kMargin covers all three. `largest` is rounded the
    // same way as the index's ratios, so it needs no margin.
    const double high = std::min(highRatio / r12 * (1.0 + kMargin), largest);
    const double low = lowRatio > 0.0 ? lowRatio / r12 * (1.0 - kMargin) : 0.0;
    const auto near = index_.near(low, high);

    // Bounding the z4 run of one z3 costs two divisions, about as much as looking at a few
    // pairs of the window.
    constexpr std::size_t kPairsPerRun = 4;
    if (near.size() > kPairsPerRun * static_cast<std::size_t>(z3End)) {
        for (int c = 0; c < z3End; ++c) {
            finishRun(a, b, c, passRun(a, b, c), open);
        }
        return;
    }

    hits_.clear();
    for (const PairRatioIndex::Pair pair : near) {
        if (pair.driver >= z3End) {
            continue;
        }
        const int z3 = values_[pair.driver];
        const int z4 = values_[pair.driven];
        if (z3 + z4 <= z2 + zn_ || (!allowRepeats_ && isRepeat(z1, z2, z3, z4))) {
            continue;
        }
        const double ratio = (static_cast<double>(z3) * r12) / static_cast<double>(z4);
        if (std::fabs(ratio - required_) < bound) {
            hits_.push_back(Hit{pair.driver, pair.driven, ratio});
        }
    }
    std::sort(hits_.begin(), hits_.end(), [](const Hit& x, const Hit& y) {
        return x.z3Index != y.z3Index ? x.z3Index < y.z3Index : x.z4Index < y.z4Index;
    });
    for (std::size_t h = 0; h < hits_.size();) {
        const int c = hits_[h].z3Index;
        bool unsettled = false;
        for (; h < hits_.size() && hits_[h].z3Index == c; ++h) {
            unsettled |= offer(z1, z2, values_[static_cast<std::size_t>(c)],
                               values_[static_cast<std::size_t>(hits_[h].z4Index)], hits_[h].ratio);
        }
        finishRun(a, b, c, unsettled, open);
    }
}

void FastSearch::finishRun(int a, int b, int c, bool unsettled, std::vector<int>& open) {
    if (repeatRun(a, b, c, counts_[static_cast<std::size_t>(c)] - 1, unsettled)) {
        open.push_back(c);
    }
}

void FastSearch::repeatPairs(int a, int b, std::vector<int>& open, int passes) {
    for (int pass = 0; pass < passes && !open.empty(); ++pass) {
        // Each run goes in z3 order, as the enumeration would walk them.
        std::size_t kept = 0;
        for (int c : open) {
            if (repeatRun(a, b, c, counts_[static_cast<std::size_t>(c)])) {
                open[kept++] = c;
            }
        }
        open.resize(kept);
    }
}

bool FastSearch::repeatRun(int a, int b, int c, int passes, bool unsettled) {
    for (int pass = 0; pass < passes && unsettled; ++pass) {
        unsettled = passRun(a, b, c);
    }
    return unsettled;
}

bool FastSearch::passRun(int a, int b, int c) {
    const int z1 = values_[static_cast<std::size_t>(a)];
    const int z2 = values_[static_cast<std::size_t>(b)];
    const int z3 = values_[static_cast<std::size_t>(c)];
    if (!allowRepeats_ && (z3 == z1 || z3 == z2)) {
        return false;
    }
    const double r12 = static_cast<double>(z1) / static_cast<double>(z2);
    const double p = static_cast<double>(z3) * r12;
    double lowRatio = 0.0;
    double highRatio = 0.0;
    if (!ratioBand(limit(), lowRatio, highRatio)) {
        return false;
    }
    // p / z4 never increases with z4 (rounding is monotone), so the z4 within the limit form
    // one run: above p / highRatio and below p / lowRatio, widened for the rounding of p / z4
    // and of these bounds. Second assembly condition: z3 + z4 > z2 + zn.
    const int from =
        std::max(indexAtLeast(z2 + zn_ - z3 + 1), indexAbove(p / highRatio * (1.0 - kMargin)));
    const int to = lowRatio > 0.0 ? indexAbove(p / lowRatio * (1.0 + kMargin))
                                  : static_cast<int>(values_.size());
    bool unsettled = false;
    for (int at = from; at < to; ++at) {
        const int z4 = values_[static_cast<std::size_t>(at)];
        if (!allowRepeats_ && isRepeat(z1, z2, z3, z4)) {
            continue;
        }
        unsettled |= offer(z1, z2, z3, z4, p / static_cast<double>(z4));
    }
    return unsettled;
}

bool FastSearch::offer(int z1, int z2, int z3, int z4, double ratio) {
    const double error = std::fabs(ratio - required_);
    if (!(error < limit())) {
        return false;
    }
    return ranking_.rankTwoPair(z1, z2, z3, z4, ratio, error) == RankOutcome::Rearranged;
}

} // namespace

void searchFast(std::span<const std::int16_t> sortedGears, double requiredRatio, int zn,
                bool includeSinglePairs, Ranking& ranking) {
    FastSearch(sortedGears, requiredRatio, zn, includeSinglePairs, ranking).run();
}

} // namespace gearsel
