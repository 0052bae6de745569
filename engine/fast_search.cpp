// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/fast_search.h"

#include "engine/fit_rule.h"
#include "engine/gear_stock.h"
#include "engine/gear_train.h"
#include "engine/limit_guess.h"
#include "engine/ranking.h"
#include "engine/train_window.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

// How the search stays identical to the enumeration:
//
// - The ranking changes only when it lists a train, and the limit never grows. So any filter
//   computed with an earlier, looser limit lets through a superset of what the enumeration
//   would offer; each candidate is tested against the current limit right before it is
//   offered, and candidates go out in enumeration order.
// - Candidates that fail an assembly condition or carry a forbidden repeat mark are turned
//   away without a trace, so they are never offered.
// - A candidate is settled when offering it again can change nothing: it is unfit, its error
//   is not below the limit (and never will be), or it is listed (offered again it is refused
//   as the same train; pushed out, its error is no longer below the limit). A candidate refused
//   because a rearrangement of it is listed is not settled: once that train is pushed out, or
//   another one enters between them, the same candidate would be listed.
// - Equal tooth counts make the enumeration repeat itself: a duplicated z4 repeats a candidate
//   at once, a duplicated z3 repeats the run over z4, a duplicated z2 the whole first pair, a
//   duplicated z1 the whole row. The search works on distinct tooth counts and walks a
//   repetition again only where the previous pass left something unsettled, and only while
//   the previous pass listed something: a pass that listed nothing left the ranking as it
//   found it, so the next one would list nothing either. So the work does not multiply with
//   the number of copies.
// - For one first pair z1/z2, the two-pair trains within the limit have a second-pair ratio
//   z3/z4 near required / (z1/z2). A PairRatioIndex lists the pairs near that value (with a
//   margin for rounding); they are re-tested with the exact arithmetic and sorted back into
//   enumeration order. While the limit is still loose that window is wide, and a walk over z3
//   is cheaper: for each z3 the z4 within the limit form one run, bounded by two divisions.
// - A long list fills only after many trains, and until then the limit stays at 1.0, so the
//   search would list and push out most trains closer than 1.0. A cap avoids that: a sample
//   of first pairs guesses the last slot's final error, and the search offers only trains
//   below a cap a little above that guess. Such a search R gives the enumeration's list T
//   exactly when two checks pass:
//   * R's list fills up. R's list is always T's list without the trains at or above the cap:
//     whether T lists a train depends only on the listed trains up to a spread above its
//     error (its arrangements have nearly the same error), so as long as T never holds a
//     train in [cap, cap + spread], R decides every train below the cap as T does. Once R's
//     list is full it is T's, and from then on both offer the same trains.
//   * No train within [cap, cap + spread] comes along while R's list is not full. While it is
//     not, the search looks that far beyond the cap to see them.
//   Where a check fails (the guess was too low, or a train sat right at the cap), the search
//   runs again with a wider cap, in the end with none.
// - A fixed gear and the use-once rule discard trains as the assembly conditions do, without a
//   trace. They also change how often the enumeration repeats itself: a fixed gear the list
//   does not hold is one more gear that stands only at its own place, and a gear used once is
//   skipped at the later places, so a tooth count repeats there once less for each earlier
//   gear of that count. The search takes those repeat counts from a GearStock. A fixed first
//   driver leaves one row, which needs no cap; with a fixed last driven gear z4 is known, and
//   only the z3 near required x z4 / (z1 / z2) are looked at.
// - The fit-only rule discards trains as the assembly conditions do, without a trace. It
//   depends on a two-pair train through the sums z1 + z2 and z3 + z4 and each gear's size, so
//   the pair index holds only the second pairs that the slot and the cover allow, a first pair
//   that no second pair can follow is skipped, and the z4 run of one z3 is cut to the sums
//   that fit.

namespace gearsel {

namespace {

// A two-pair candidate found through the pair index, waiting to be offered in order.
struct Hit {
    int z3Index;
    int z4Index;
    double ratio;
};

class FastSearch {
public:
    FastSearch(std::span<const std::int16_t> sortedGears, const SearchRequest& request,
               const SearchTuning& tuning);

    ResultList run();

private:
    // The first cap to try: below 1.0 only for long lists.
    double firstCap() const;
    // One search that offers only candidates with an error below `cap` (1.0: all). False if
    // its list may differ from the enumeration's: the list did not fill up, or a train lay so
    // close above the cap that the ranking of trains below it could depend on it.
    bool attempt(double cap, Ranking& ranking);

    // The bound a candidate's error must stay below to be offered: the ranking's limit, the
    // cap, and 1.0, as empty slots hold 1.0 whatever the ranking's starting limit lets through.
    double limit() const { return std::min({ranking_->errorLimit(), 1.0, cap_}); }
    // The bound up to which candidates are looked at: while the list is not full, a little
    // beyond the cap, so that a train just above it is noticed.
    double reach() const;
    bool full() const { return ranking_->filledCount() == request_.resultCount; }
    // A candidate not below limit(): notes a train just above the cap while the list is not
    // full.
    void passOver(double error);

    // First pass over the first pair teeth(a) / teeth(b) and the further passes owed to
    // copies of z2; leaves in `open` the z3 indexes whose trains are still unsettled.
    void firstPairs(int a, int b, std::vector<int>& open);
    // First pass over the two-pair trains of z1/z2, through the pair index or, while the
    // limit is loose, run by run; records in `open` the runs left unsettled.
    void offerWindow(int a, int b, double r12, int z3End, std::vector<int>& open);
    // Repeats of the z3 run after its first pass; records it in `open` if still unsettled.
    void finishRun(int a, int b, int c, bool unsettled, bool changed, std::vector<int>& open);
    // Up to `passes` passes over the z3 runs listed in `open`, dropping the settled ones.
    void repeatPairs(int a, int b, std::vector<int>& open, int passes);
    // Up to `passes` further passes over one z3 run while it is unsettled and the last pass
    // listed something; returns whether it still is unsettled.
    bool repeatRun(int a, int b, int c, int passes, bool unsettled = true, bool changed = true);
    // One pass over z4 for z1/z2 x z3/.. ; true if it left something unsettled.
    bool passRun(int a, int b, int c);
    // How often the enumeration walks the first pair teeth(a) / teeth(b), and the z4 run of
    // teeth(c) after it.
    int pairCopies(int a, int b) const;
    // Where the last driven gear is fixed: the z3 indexes, below z3End, whose trains with it
    // can lie within `bound` of the required ratio after a first pair of ratio r12.
    std::pair<int, int> z3Near(double r12, int z3End, double bound) const;
    int runCopies(int a, int b, int c) const;
    // Whether the stock lets z3 and z4 follow z1/z2 and the train fits; always where neither
    // restricts anything.
    bool admits(int z1, int z2, int z3, int z4) const;
    // Offers one two-pair candidate; true if it was refused for a listed rearrangement.
    bool offer(int z1, int z2, int z3, int z4, double ratio);

    const SearchRequest& request_;
    SearchTuning tuning_;
    GearStock stock_;
    FitRule fit_;
    TrainWindow window_;
    Ranking* ranking_ = nullptr;
    double cap_ = 1.0;
    bool capBroken_ = false;
    std::uint64_t listed_ = 0; // trains listed so far: the ranking changes with it only
    std::vector<Hit> hits_;
};

FastSearch::FastSearch(std::span<const std::int16_t> sortedGears, const SearchRequest& request,
                       const SearchTuning& tuning)
    : request_(request), tuning_(tuning), stock_(sortedGears, request), fit_(sortedGears, request),
      window_(stock_.walked(), request.requiredRatio, request.zn, fit_.secondPairs()) {}

ResultList FastSearch::run() {
    double cap = firstCap();
    for (;;) {
        Ranking ranking(request_.resultCount, request_.zn, request_.allowRepeats);
        // With no slots nothing is ever listed.
        if (request_.resultCount == 0 || attempt(cap, ranking)) {
            return ranking.results();
        }
        // Rarely needed: a wider cap, and in the end none. Where the list did not fill up, the
        // share it filled tells about how much wider.
        const int filled = ranking.filledCount();
        const double grow = filled > 0 ? std::max(4.0, 2.0 * request_.resultCount / filled) : 64.0;
        cap = cap * grow < 1.0 ? std::max(cap * grow, window_.spread(0.0)) : 1.0;
    }
}

double FastSearch::firstCap() const {
    // A short list fills and tightens the limit after a few trains: no cap would pay for the
    // sample.
    if (request_.resultCount < tuning_.capFromCount) {
        return 1.0;
    }
    // A fixed first driver leaves one row of first pairs: the sample would mostly look at
    // trains that it turns away, and the row is quickly walked without a cap.
    if (request_.firstDriver) {
        return 1.0;
    }
    const LimitGuess guess = guessFinalLimit(window_, stock_, fit_, request_, tuning_.sampleTrains,
                                             tuning_.sampleFirstPairs);
    if (guess.error >= 1.0) {
        return 1.0;
    }
    const double slack = tuning_.capSlack > 0.0
                             ? tuning_.capSlack
                             : 1.0 + 4.0 / std::sqrt(static_cast<double>(guess.trains));
    // A guess of 0 (many trains hit the ratio exactly) still needs room for those.
    return std::max(guess.error * slack, window_.spread(0.0));
}

double FastSearch::reach() const {
    return cap_ < 1.0 && !full() ? std::min(1.0, cap_ + 2.0 * window_.spread(cap_)) : limit();
}

void FastSearch::passOver(double error) {
    if (error >= cap_ && error <= cap_ + window_.spread(cap_) && error < 1.0 && !full()) {
        capBroken_ = true;
    }
}

bool FastSearch::attempt(double cap, Ranking& ranking) {
    ranking_ = &ranking;
    cap_ = cap;
    capBroken_ = false;
    struct Owed {
        int b;
        std::vector<int> open;
    };
    std::vector<Owed> owed;
    std::vector<int> open;
    const int n = window_.size();
    for (int a = 0; a < n && !capBroken_; ++a) {
        const int rowCopies = stock_.copiesAt(GearStock::Place::First, window_.teeth(a));
        if (rowCopies == 0) {
            continue;
        }
        owed.clear();
        std::uint64_t passStart = listed_;
        for (int b = 0; b < n; ++b) {
            firstPairs(a, b, open);
            if (!open.empty()) {
                owed.push_back(Owed{b, open});
            }
        }
        // The row repeats for each further gear with this z1; only unsettled runs matter.
        for (int pass = 1; pass < rowCopies && !owed.empty() && listed_ != passStart; ++pass) {
            passStart = listed_;
            for (Owed& o : owed) {
                repeatPairs(a, o.b, o.open, pairCopies(a, o.b));
            }
            std::erase_if(owed, [](const Owed& o) { return o.open.empty(); });
        }
    }
    return !capBroken_ && (cap_ >= 1.0 || full());
}

void FastSearch::firstPairs(int a, int b, std::vector<int>& open) {
    open.clear();
    const std::uint64_t passStart = listed_;
    const int z1 = window_.teeth(a);
    const int z2 = window_.teeth(b);
    const double r12 = static_cast<double>(z1) / static_cast<double>(z2);
    if (request_.includeSinglePairs && (z1 != z2 || request_.allowRepeats) &&
        stock_.copiesAt(GearStock::Place::Last, z2, {z1}) > 0 && fit_.admits(z1, z2)) {
        // A single pair is always settled afterwards: it has no rearrangement.
        const double error = std::fabs(r12 - request_.requiredRatio);
        if (error < limit()) {
            listed_ += ranking_->rankSinglePair(z1, z2, r12, error) == RankOutcome::Listed;
        } else {
            passOver(error);
        }
    }
    if (z1 == z2 && !request_.allowRepeats) {
        return;
    }
    const int copies = pairCopies(a, b);
    // The fit-only rule may end the z3 earlier than the first assembly condition.
    const int z3End = std::min(window_.z3End(z1, z2),
                               window_.firstAtLeast(fit_.largestZ3(z1, z2, window_.teeth(0)) + 1));
    if (z3End == 0 || copies == 0 || !fit_.admitsFirstPair(z1, z2)) {
        return;
    }
    offerWindow(a, b, r12, z3End, open);
    if (listed_ != passStart) {
        repeatPairs(a, b, open, copies - 1);
    }
}

void FastSearch::offerWindow(int a, int b, double r12, int z3End, std::vector<int>& open) {
    const int z1 = window_.teeth(a);
    const int z2 = window_.teeth(b);
    const double bound = reach();
    if (request_.lastDriven) {
        // z4 is fixed: only the z3 near required x z4 / (z1 / z2) can be within the bound, and
        // the runs of all others list nothing.
        const auto [from, to] = z3Near(r12, z3End, bound);
        for (int c = from; c < to; ++c) {
            const std::uint64_t runStart = listed_;
            const bool unsettled = passRun(a, b, c);
            finishRun(a, b, c, unsettled, listed_ != runStart, open);
        }
        return;
    }
    const auto near = window_.pairsNear(a, b, z3End, bound);

    // Bounding the z4 run of one z3 costs two divisions, about as much as looking at a few
    // pairs of the window.
    constexpr std::size_t kPairsPerRun = 4;
    if (near.size() > kPairsPerRun * static_cast<std::size_t>(z3End)) {
        for (int c = 0; c < z3End; ++c) {
            const std::uint64_t runStart = listed_;
            const bool unsettled = passRun(a, b, c);
            finishRun(a, b, c, unsettled, listed_ != runStart, open);
        }
        return;
    }

    hits_.clear();
    const int zn = request_.zn;
    const double required = request_.requiredRatio;
    for (const PairRatioIndex::Pair pair : near) {
        if (pair.driver >= z3End) {
            continue;
        }
        const int z3 = window_.teeth(pair.driver);
        const int z4 = window_.teeth(pair.driven);
        if (z3 + z4 <= z2 + zn || (!request_.allowRepeats && hasRepeat(z1, z2, z3, z4)) ||
            !admits(z1, z2, z3, z4)) {
            continue;
        }
        const double ratio = (static_cast<double>(z3) * r12) / static_cast<double>(z4);
        if (std::fabs(ratio - required) < bound) {
            hits_.push_back(Hit{pair.driver, pair.driven, ratio});
        }
    }
    std::sort(hits_.begin(), hits_.end(), [](const Hit& x, const Hit& y) {
        return x.z3Index != y.z3Index ? x.z3Index < y.z3Index : x.z4Index < y.z4Index;
    });
    for (std::size_t h = 0; h < hits_.size();) {
        const int c = hits_[h].z3Index;
        const std::uint64_t runStart = listed_;
        bool unsettled = false;
        for (; h < hits_.size() && hits_[h].z3Index == c; ++h) {
            unsettled |=
                offer(z1, z2, window_.teeth(c), window_.teeth(hits_[h].z4Index), hits_[h].ratio);
        }
        finishRun(a, b, c, unsettled, listed_ != runStart, open);
    }
}

void FastSearch::finishRun(int a, int b, int c, bool unsettled, bool changed,
                           std::vector<int>& open) {
    if (repeatRun(a, b, c, runCopies(a, b, c) - 1, unsettled, changed)) {
        open.push_back(c);
    }
}

void FastSearch::repeatPairs(int a, int b, std::vector<int>& open, int passes) {
    for (int pass = 0; pass < passes && !open.empty(); ++pass) {
        const std::uint64_t passStart = listed_;
        // Each run goes in z3 order, as the enumeration would walk them.
        std::size_t kept = 0;
        for (int c : open) {
            if (repeatRun(a, b, c, runCopies(a, b, c))) {
                open[kept++] = c;
            }
        }
        open.resize(kept);
        if (listed_ == passStart) {
            break;
        }
    }
}

bool FastSearch::repeatRun(int a, int b, int c, int passes, bool unsettled, bool changed) {
    for (int pass = 0; pass < passes && unsettled && changed; ++pass) {
        const std::uint64_t passStart = listed_;
        unsettled = passRun(a, b, c);
        changed = listed_ != passStart;
    }
    return unsettled;
}

bool FastSearch::passRun(int a, int b, int c) {
    const int z1 = window_.teeth(a);
    const int z2 = window_.teeth(b);
    const int z3 = window_.teeth(c);
    if ((!request_.allowRepeats && (z3 == z1 || z3 == z2)) || runCopies(a, b, c) == 0) {
        return false;
    }
    const double r12 = static_cast<double>(z1) / static_cast<double>(z2);
    const double p = static_cast<double>(z3) * r12;
    auto [from, to] = window_.z4Run(z2, z3, p, reach());
    if (fit_.active()) {
        // Only the z4 of the sums that fit can pass the rule.
        const auto [low, high] = fit_.z4Range(z1, z2, z3);
        from = std::max(from, window_.firstAtLeast(low));
        to = std::min(to, window_.firstAtLeast(high + 1));
    }
    bool unsettled = false;
    for (int at = from; at < to; ++at) {
        const int z4 = window_.teeth(at);
        if ((!request_.allowRepeats && hasRepeat(z1, z2, z3, z4)) || !admits(z1, z2, z3, z4)) {
            continue;
        }
        unsettled |= offer(z1, z2, z3, z4, p / static_cast<double>(z4));
    }
    return unsettled;
}

std::pair<int, int> FastSearch::z3Near(double r12, int z3End, double bound) const {
    // ratio = (z3 x r12) / z4 lies within the bound only for z3 between (required -+ bound)
    // x z4 / r12. The ratio and its error are each a few roundings off, by no more than a few
    // units of 2^-53 of |required| + bound: a slack a million times that widens the run, and
    // as much again covers the roundings of the run's ends.
    constexpr double kMargin = 1e-9;
    const double z4 = *request_.lastDriven;
    const double required = request_.requiredRatio;
    const double slack = (std::fabs(required) + bound) * kMargin;
    const double low = (required - bound - slack) * z4 / r12 * (1.0 - kMargin);
    const double high = (required + bound + slack) * z4 / r12 * (1.0 + kMargin);
    if (!(high > 0.0)) {
        return {0, 0};
    }
    const auto teeth = [](double value) {
        return static_cast<int>(std::clamp(value, 0.0, static_cast<double>(kMaxTeeth + 1)));
    };
    const int from = low > 0.0 ? window_.firstAtLeast(teeth(std::floor(low))) : 0;
    return {from,
            std::max(from, std::min(z3End, window_.firstAtLeast(teeth(std::ceil(high)) + 1)))};
}

int FastSearch::pairCopies(int a, int b) const {
    return stock_.copiesAt(GearStock::Place::Middle, window_.teeth(b), {window_.teeth(a)});
}

int FastSearch::runCopies(int a, int b, int c) const {
    return stock_.copiesAt(GearStock::Place::Middle, window_.teeth(c),
                           {window_.teeth(a), window_.teeth(b)});
}

bool FastSearch::admits(int z1, int z2, int z3, int z4) const {
    return (!stock_.restricts() || stock_.admitsTwoPair(z1, z2, z3, z4)) &&
           fit_.admits(z1, z2, z3, z4);
}

bool FastSearch::offer(int z1, int z2, int z3, int z4, double ratio) {
    const double error = std::fabs(ratio - request_.requiredRatio);
    if (!(error < limit())) {
        passOver(error);
        return false;
    }
    const RankOutcome outcome = ranking_->rankTwoPair(z1, z2, z3, z4, ratio, error);
    listed_ += outcome == RankOutcome::Listed;
    return outcome == RankOutcome::Rearranged;
}

} // namespace

ResultList searchFast(std::span<const std::int16_t> sortedGears, const SearchRequest& request,
                      const SearchTuning& tuning) {
    return FastSearch(sortedGears, request, tuning).run();
}

} // namespace gearsel
