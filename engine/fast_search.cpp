// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/fast_search.h"

#include "engine/gear_stock.h"
#include "engine/gear_train.h"
#include "engine/limit_guess.h"
#include "engine/ranking.h"
#include "engine/reference_ranking.h"
#include "engine/train_walk.h"
#include "engine/train_window.h"
#include "engine/walk_ranking.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <type_traits>
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

namespace gearsel {

namespace {

// A two-pair candidate found through the pair index, waiting to be offered in order.
struct Hit {
    int z3Index;
    int z4Index;
    double ratio;
};

// An empty list for `request`: the ordered ranking, or the slot scan, which scans the filled
// slots only.
template <class Ranks> Ranks emptyRanking(const SearchRequest& request) {
    if constexpr (std::is_same_v<Ranks, ReferenceRanking>) {
        return ReferenceRanking(request.resultCount, request.zn, request.allowRepeats,
                                SlotScan::FilledSlots);
    } else {
        return Ranking(request.resultCount, request.zn, request.allowRepeats);
    }
}

// `Ranks` ranks the candidates: the ordered Ranking, or for short lists the slot scan of
// ReferenceRanking, which decides alike and is quicker where the list is short.
template <class Ranks> class FastSearch {
public:
    FastSearch(GearStock stock, const SearchRequest& request, const SearchTuning& tuning);

    ResultList run();

private:
    // The first cap to try: below 1.0 only for long lists.
    double firstCap() const;
    // Whether the gears can form as many trains as the list has slots; counted over distinct
    // tooth counts with the assembly conditions and the fixed gears, so an upper bound.
    bool canFill() const;
    // How many of the z4 indexes [from, to) the stock and the repeat rule let follow
    // z1/z2 x z3/.. .
    std::uint64_t admittedLast(int z1, int z2, int z3, int from, int to) const;
    // One search that offers only candidates with an error below `cap` (1.0: all). False if
    // its list may differ from the enumeration's: the list did not fill up, or a train lay so
    // close above the cap that the ranking of trains below it could depend on it.
    bool attempt(double cap, Ranks& ranking);

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
    int runCopies(int a, int b, int c) const;
    // Whether the stock lets z3 and z4 follow z1/z2; always where it restricts nothing.
    bool admits(int z1, int z2, int z3, int z4) const;
    // Offers one two-pair candidate; true if it was refused for a listed rearrangement.
    bool offer(int z1, int z2, int z3, int z4, double ratio);

    const SearchRequest& request_;
    SearchTuning tuning_;
    GearStock stock_;
    TrainWindow window_;
    Ranks* ranking_ = nullptr;
    int lastIndex_ = 0; // where a fixed last driven gear stands among the distinct counts
    double cap_ = 1.0;
    bool capBroken_ = false;
    std::uint64_t listed_ = 0; // trains listed so far: the ranking changes with it only
    std::vector<Hit> hits_;
};

template <class Ranks>
FastSearch<Ranks>::FastSearch(GearStock stock, const SearchRequest& request,
                              const SearchTuning& tuning)
    : request_(request), tuning_(tuning), stock_(std::move(stock)),
      window_(stock_.walked(), request.requiredRatio, request.zn),
      lastIndex_(request.lastDriven ? window_.firstAtLeast(*request.lastDriven) : 0) {}

template <class Ranks> ResultList FastSearch<Ranks>::run() {
    double cap = firstCap();
    for (;;) {
        Ranks ranking = emptyRanking<Ranks>(request_);
        // With no slots nothing is ever listed.
        if (request_.resultCount == 0 || attempt(cap, ranking)) {
            return std::move(ranking).results();
        }
        // Rarely needed: a wider cap, and in the end none. Where the list did not fill up, the
        // share it filled tells about how much wider.
        const int filled = ranking.filledCount();
        const double grow = filled > 0 ? std::max(4.0, 2.0 * request_.resultCount / filled) : 64.0;
        cap = cap * grow < 1.0 ? std::max(cap * grow, window_.spread(0.0)) : 1.0;
    }
}

template <class Ranks> double FastSearch<Ranks>::firstCap() const {
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
    // A list that cannot fill never passes a capped search's check: a cap would only cost
    // the sample and the failed attempts.
    if (!canFill()) {
        return 1.0;
    }
    const LimitGuess guess =
        guessFinalLimit(window_, stock_, request_, tuning_.sampleTrains, tuning_.sampleFirstPairs);
    if (guess.error >= 1.0) {
        return 1.0;
    }
    const double slack = tuning_.capSlack > 0.0
                             ? tuning_.capSlack
                             : 1.0 + 4.0 / std::sqrt(static_cast<double>(guess.trains));
    // A guess of 0 (many trains hit the ratio exactly) still needs room for those.
    return std::max(guess.error * slack, window_.spread(0.0));
}

template <class Ranks> bool FastSearch<Ranks>::canFill() const {
    const auto slots = static_cast<std::uint64_t>(request_.resultCount);
    const bool repeats = request_.allowRepeats;
    const int n = window_.size();
    // At most n^2 single pairs and n^4 two-pair trains: far fewer than a long list's slots
    // where the set is small, which settles it without the count.
    const auto most = static_cast<std::uint64_t>(n) * static_cast<std::uint64_t>(n);
    if (most * (most + 1) < slots) {
        return false;
    }
    std::uint64_t trains = 0;
    for (int a = 0; a < n; ++a) {
        const int z1 = window_.teeth(a);
        if (stock_.copiesAt(GearStock::Place::First, z1) == 0) {
            continue;
        }
        for (int b = 0; b < n; ++b) {
            const int z2 = window_.teeth(b);
            if (request_.includeSinglePairs && (repeats || z1 != z2) &&
                stock_.copiesAt(GearStock::Place::Last, z2, {z1}) > 0) {
                ++trains;
            }
            if ((!repeats && z1 == z2) || pairCopies(a, b) == 0) {
                continue;
            }
            for (int c = 0, end = window_.z3End(z1, z2); c < end; ++c) {
                const int z3 = window_.teeth(c);
                if ((!repeats && (z3 == z1 || z3 == z2)) || runCopies(a, b, c) == 0) {
                    continue;
                }
                int from = window_.firstAtLeast(z2 + request_.zn - z3 + 1);
                int to = n;
                if (request_.lastDriven) {
                    from = std::max(from, lastIndex_);
                    to = lastIndex_ + 1;
                }
                trains += admittedLast(z1, z2, z3, from, to);
            }
            if (trains >= slots) {
                return true;
            }
        }
    }
    return false;
}

template <class Ranks>
std::uint64_t FastSearch<Ranks>::admittedLast(int z1, int z2, int z3, int from, int to) const {
    if (from >= to) {
        return 0;
    }
    // Every z4 of the run may stand last but a tooth count of the train before it (a repeat,
    // or a gear used up) and a mounted first driver, which stands only first.
    auto admitted = static_cast<std::uint64_t>(to - from);
    const int others[] = {z1, z2, z3, request_.firstDriver.value_or(0)};
    for (std::size_t i = 0; i < std::size(others); ++i) {
        const int z4 = others[i];
        const int at = window_.firstAtLeast(z4);
        if (z4 == 0 || at < from || at >= to || window_.teeth(at) != z4 ||
            std::find(others, others + i, z4) != others + i) {
            continue;
        }
        const bool repeat = z4 == z1 || z4 == z2 || z4 == z3;
        if ((repeat && !request_.allowRepeats) ||
            stock_.copiesAt(GearStock::Place::Last, z4, {z1, z2, z3}) == 0) {
            --admitted;
        }
    }
    return admitted;
}

template <class Ranks> double FastSearch<Ranks>::reach() const {
    return cap_ < 1.0 && !full() ? std::min(1.0, cap_ + 2.0 * window_.spread(cap_)) : limit();
}

template <class Ranks> void FastSearch<Ranks>::passOver(double error) {
    if (error >= cap_ && error <= cap_ + window_.spread(cap_) && error < 1.0 && !full()) {
        capBroken_ = true;
    }
}

template <class Ranks> bool FastSearch<Ranks>::attempt(double cap, Ranks& ranking) {
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

template <class Ranks> void FastSearch<Ranks>::firstPairs(int a, int b, std::vector<int>& open) {
    open.clear();
    const std::uint64_t passStart = listed_;
    const int z1 = window_.teeth(a);
    const int z2 = window_.teeth(b);
    const double r12 = static_cast<double>(z1) / static_cast<double>(z2);
    if (request_.includeSinglePairs && (z1 != z2 || request_.allowRepeats) &&
        stock_.copiesAt(GearStock::Place::Last, z2, {z1}) > 0) {
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
    const int z3End = window_.z3End(z1, z2);
    if (z3End == 0 || copies == 0) {
        return;
    }
    offerWindow(a, b, r12, z3End, open);
    if (listed_ != passStart) {
        repeatPairs(a, b, open, copies - 1);
    }
}

template <class Ranks>
void FastSearch<Ranks>::offerWindow(int a, int b, double r12, int z3End, std::vector<int>& open) {
    const int z1 = window_.teeth(a);
    const int z2 = window_.teeth(b);
    const double bound = reach();
    if (request_.lastDriven) {
        // z4 is fixed: only the z3 near required x z4 / (z1 / z2) can be within the bound, and
        // the runs of all others list nothing.
        const auto [from, to] = window_.z3Run(r12, *request_.lastDriven, z3End, bound);
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

template <class Ranks>
void FastSearch<Ranks>::finishRun(int a, int b, int c, bool unsettled, bool changed,
                                  std::vector<int>& open) {
    if (repeatRun(a, b, c, runCopies(a, b, c) - 1, unsettled, changed)) {
        open.push_back(c);
    }
}

template <class Ranks>
void FastSearch<Ranks>::repeatPairs(int a, int b, std::vector<int>& open, int passes) {
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

template <class Ranks>
bool FastSearch<Ranks>::repeatRun(int a, int b, int c, int passes, bool unsettled, bool changed) {
    for (int pass = 0; pass < passes && unsettled && changed; ++pass) {
        const std::uint64_t passStart = listed_;
        unsettled = passRun(a, b, c);
        changed = listed_ != passStart;
    }
    return unsettled;
}

template <class Ranks> bool FastSearch<Ranks>::passRun(int a, int b, int c) {
    const int z1 = window_.teeth(a);
    const int z2 = window_.teeth(b);
    const int z3 = window_.teeth(c);
    if ((!request_.allowRepeats && (z3 == z1 || z3 == z2)) || runCopies(a, b, c) == 0) {
        return false;
    }
    const double r12 = static_cast<double>(z1) / static_cast<double>(z2);
    const double p = static_cast<double>(z3) * r12;
    // Where the last driven gear is fixed, it alone can stand last: offered beyond the reach
    // it is turned away as any train beyond the limit is.
    const auto [from, to] =
        request_.lastDriven
            ? std::pair(lastIndex_,
                        lastIndex_ + (z3 + window_.teeth(lastIndex_) > z2 + request_.zn ? 1 : 0))
            : window_.z4Run(z2, z3, p, reach());
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

template <class Ranks> int FastSearch<Ranks>::pairCopies(int a, int b) const {
    return stock_.copiesAt(GearStock::Place::Middle, window_.teeth(b), {window_.teeth(a)});
}

template <class Ranks> int FastSearch<Ranks>::runCopies(int a, int b, int c) const {
    return stock_.copiesAt(GearStock::Place::Middle, window_.teeth(c),
                           {window_.teeth(a), window_.teeth(b)});
}

template <class Ranks> bool FastSearch<Ranks>::admits(int z1, int z2, int z3, int z4) const {
    return !stock_.restricts() || stock_.admitsTwoPair(z1, z2, z3, z4);
}

template <class Ranks> bool FastSearch<Ranks>::offer(int z1, int z2, int z3, int z4, double ratio) {
    const double error = std::fabs(ratio - request_.requiredRatio);
    if (!(error < limit())) {
        passOver(error);
        return false;
    }
    const RankOutcome outcome = ranking_->rankTwoPair(z1, z2, z3, z4, ratio, error);
    listed_ += outcome == RankOutcome::Listed;
    return outcome == RankOutcome::Rearranged;
}

// The steps of walkEveryTrain(): one for each first pair, and one for each z4 after every z3
// that the first assembly condition lets through. Counting stops beyond `most`; where even
// every z3 would pass, no more than `most`, that bound is the answer.
std::int64_t walkSteps(const GearStock& stock, const SearchRequest& request, std::int64_t most) {
    const std::vector<std::int16_t>& gears = stock.walked();
    const auto n = static_cast<std::int64_t>(gears.size());
    if (n * n * (n * n + 1) <= most) {
        return n * n * (n * n + 1);
    }
    std::int64_t steps = 0;
    for (std::size_t i = 0; i < gears.size(); ++i) {
        if (!stock.fitsAt(i, GearStock::Place::First)) {
            continue;
        }
        for (std::size_t j = 0; j < gears.size(); ++j) {
            ++steps;
            if (stock.fitsAt(j, GearStock::Place::Middle)) {
                // The z3 below z1 + z2 - zn, taken in int as the walk takes the sum.
                const int end = gears[i] + gears[j] - request.zn;
                steps += n * (std::lower_bound(gears.begin(), gears.end(), end) - gears.begin());
            }
            if (steps > most) {
                return steps;
            }
        }
    }
    return steps;
}

} // namespace

ResultList searchFast(std::span<const std::int16_t> sortedGears, const SearchRequest& request,
                      const SearchTuning& tuning) {
    GearStock stock(sortedGears, request);
    // The walk offers the enumeration's candidates by definition. Elsewhere a short list takes
    // its candidates fastest by the slot scan, a long one by the ordered ranking.
    if (tuning.walkUpTo >= 0 && walkSteps(stock, request, tuning.walkUpTo) <= tuning.walkUpTo) {
        WalkRanking ranking(request.resultCount, request.zn, request.allowRepeats,
                            tuning.walkScanUpTo);
        walkEveryTrain(stock, request, ranking);
        return std::move(ranking).results();
    }
    if (request.resultCount <= tuning.scanUpTo) {
        return FastSearch<ReferenceRanking>(std::move(stock), request, tuning).run();
    }
    return FastSearch<Ranking>(std::move(stock), request, tuning).run();
}

} // namespace gearsel
