// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/chart_train_finder.h"

#include "engine/gear_train.h"
#include "engine/pair_ratio_index.h"
#include "engine/reference_ranking.h"
#include "engine/selection.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <tuple>

// How one ratio finds its answer:
//
// - bestTrain() decides by the head of the search's list and of its narrower searches: the
//   first train and the trains whose computed error lies within a 2^-39 share of the ratio
//   above it. Those lists, down to any error bound, are what the literal walk gives when it
//   offers only the steps within that bound, provided the bound leaves no rearrangement of a
//   train below it out (a rearrangement's computed error differs by a few units in the last
//   place only): the ranking lists a train by the trains before it and the one at its place,
//   and a train refused for a rearrangement was refused for one of nearly the same error.
//   Copies of a tooth count are walked as the walk walks them, so a step that the walk offers
//   again is offered again here.
// - The steps within a bound are found through the pairs sorted by ratio: a two-pair train
//   (z1/z2) x (z3/z4) within the bound has its second pair's ratio near required / (z1/z2).
//   Going through the first pairs from the largest ratio down, that window only moves up the
//   sorted pairs, so one pass costs a step per pair and a step per train within the bound.
// - The bound starts at a 2^-35 share of the ratio, which holds every train that hits it
//   exactly, and grows until some train lies within it and the bound lies a 2^-36 share above
//   the least error found: to the nearest train beyond it that the scan saw, where it saw one.

namespace gearsel {

namespace {

// The window of second-pair ratios is widened by this share on each side: the train's
// computed ratio (z3 x (z1/z2)) / z4 and the product of the two rounded pair ratios differ by
// a few units in the last place only.
constexpr double kWindowSlack = 0x1p-40;

// The share of the ratio by which the bound lies above the least error.
constexpr double kTieShare = 0x1p-36;

// The smallest bound tried first, and how much each try widens it.
constexpr double kFirstBound = 0x1p-60;
constexpr double kBoundGrowth = 0x1p12;

std::vector<std::int16_t> checkedSortedGears(const SearchRequest& setup) {
    if (auto problem = findProblem(setup)) {
        throw SearchRefused(*problem);
    }
    if (setup.fitGeometry) {
        if (auto refusal = findGeometryProblem(*setup.fitGeometry)) {
            throw GeometryRefused(*refusal);
        }
    }
    std::vector<std::int16_t> gears = setup.gears;
    std::sort(gears.begin(), gears.end());
    return gears;
}

} // namespace

ChartTrainFinder::ChartTrainFinder(const SearchRequest& setup)
    : setup_(setup), sortedGears_(checkedSortedGears(setup)), stock_(sortedGears_, setup_),
      fit_(sortedGears_, setup_) {
    const std::vector<std::int16_t>& walked = stock_.walked();
    for (std::size_t w = 0; w < walked.size(); ++w) {
        if (values_.empty() || values_.back() != walked[w]) {
            values_.push_back(walked[w]);
            positions_.emplace_back();
        }
        positions_.back().push_back(static_cast<int>(w));
    }
    exact_.emplace(values_, setup_, stock_, fit_);
}

void ChartTrainFinder::sortPairs() {
    if (pairsSorted_) {
        return;
    }
    pairsSorted_ = true;
    // The index hands out the pairs nearly sorted (a bucket holds a handful of ratios), so an
    // insertion sort finishes the order in about a step per pair.
    const PairRatioIndex index(values_);
    const auto all = index.near(0.0, std::numeric_limits<double>::max());
    pairs_.reserve(all.size());
    for (const PairRatioIndex::Pair& p : all) {
        const double ratio = static_cast<double>(values_[p.driver]) / values_[p.driven];
        pairs_.push_back(PairEntry{ratio, 1.0 / ratio, p.driver, p.driven});
        for (std::size_t at = pairs_.size() - 1; at > 0 && pairs_[at - 1].ratio > ratio; --at) {
            std::swap(pairs_[at - 1], pairs_[at]);
        }
    }
}

double ChartTrainFinder::scan(double ratio, double bound) {
    const std::size_t n = values_.size();
    constexpr double kNone = std::numeric_limits<double>::infinity();
    windowStart_.assign(n * n, 0);
    windowEnd_.assign(n * n, 0);
    // Only the single pairs of the last scan are reset.
    singleError_.resize(n * n, kNone);
    for (const std::size_t g : singlesSet_) {
        singleError_[g] = kNone;
    }
    singlesSet_.clear();
    rowLeast_.assign(n, kNone);
    std::vector<double>& rowLeast = rowLeast_;
    nearest_ = kNone;
    const int zn = setup_.zn;
    const bool repeats = setup_.allowRepeats;
    if (setup_.includeSinglePairs) {
        const auto ratioBelow = [](const PairEntry& e, double r) { return e.ratio < r; };
        const double high = (ratio + bound) * (1.0 + kWindowSlack);
        for (auto p = std::lower_bound(pairs_.begin(), pairs_.end(),
                                       (ratio - bound) * (1.0 - kWindowSlack), ratioBelow);
             p != pairs_.end() && p->ratio <= high; ++p) {
            const int z1 = values_[p->driver];
            const int z2 = values_[p->driven];
            const double error = std::fabs(p->ratio - ratio);
            if (error > bound || !fit_.admits(z1, z2)) {
                continue;
            }
            singleError_[p->driver * n + p->driven] = error;
            singlesSet_.push_back(p->driver * n + p->driven);
            double& least = rowLeast[p->driver];
            if (error < least && (repeats || z1 != z2) && stock_.admitsSinglePair(z1, z2)) {
                least = error;
                nearest_ = std::min(nearest_, error);
            }
        }
    }
    // The first pairs from the largest ratio down: the window of second pairs moves up.
    const double low = ratio - bound;
    const double high = ratio + bound;
    const int smallest = values_.empty() ? 0 : values_.front();
    std::size_t start = 0;
    std::size_t end = 0;
    for (auto first = pairs_.rbegin(); first != pairs_.rend(); ++first) {
        const int z1 = values_[first->driver];
        const int z2 = values_[first->driven];
        // First assembly condition: no z3 at all.
        if (smallest + zn >= z1 + z2) {
            continue;
        }
        const double x = first->ratio;
        const double windowLow = low * first->inverse * (1.0 - kWindowSlack);
        const double windowHigh = high * first->inverse * (1.0 + kWindowSlack);
        while (start < pairs_.size() && pairs_[start].ratio < windowLow) {
            ++start;
        }
        end = std::max(end, start);
        double& least = rowLeast[first->driver];
        for (; end < pairs_.size() && pairs_[end].ratio <= windowHigh; ++end) {
        }
        const std::size_t g = first->driver * n + first->driven;
        windowStart_[g] = static_cast<std::uint32_t>(start);
        windowEnd_[g] = static_cast<std::uint32_t>(end);
        // The trains within the bound, and the nearest one on each side beyond it; none can
        // lower an error of 0.
        const double lower = std::max(least, nearest_);
        if (!(lower > 0.0)) {
            continue;
        }
        const std::size_t from = start > 0 ? start - 1 : 0;
        const std::size_t to = std::min(end + 1, pairs_.size());
        for (std::size_t s = from; s < to; ++s) {
            const PairEntry& second = pairs_[s];
            const int z3 = values_[second.driver];
            const int z4 = values_[second.driven];
            const double error =
                std::fabs(static_cast<double>(z3) * x / static_cast<double>(z4) - ratio);
            if (error < lower && z3 + zn < z1 + z2 && z3 + z4 > z2 + zn &&
                (repeats || !hasRepeat(z1, z2, z3, z4)) && fit_.admits(z1, z2, z3, z4) &&
                stock_.admitsTwoPair(z1, z2, z3, z4)) {
                if (error <= bound) {
                    least = std::min(least, error);
                }
                nearest_ = std::min(nearest_, error);
            }
        }
    }
    laterLeast_.assign(n + 1, kNone);
    for (std::size_t a = n; a-- > 0;) {
        laterLeast_[a] = std::min(laterLeast_[a + 1], rowLeast[a]);
    }
    return laterLeast_[0];
}

void ChartTrainFinder::rowHits(int a, double ratio, double below, std::vector<Hit>& hits) const {
    hits.clear();
    const std::size_t n = values_.size();
    const int zn = setup_.zn;
    const bool repeats = setup_.allowRepeats;
    const int z1 = values_[static_cast<std::size_t>(a)];
    for (std::size_t b = 0; b < n; ++b) {
        const std::size_t g = static_cast<std::size_t>(a) * n + b;
        const int z2 = values_[b];
        const double x = static_cast<double>(z1) / static_cast<double>(z2);
        const auto bi = static_cast<int>(b);
        const std::size_t groupStart = hits.size();
        if (singleError_[g] < below) {
            hits.push_back(Hit{bi, -1, -1, x, singleError_[g]});
        }
        for (std::size_t s = windowStart_[g]; s < windowEnd_[g]; ++s) {
            const PairEntry& second = pairs_[s];
            const int z3 = values_[second.driver];
            const int z4 = values_[second.driven];
            const double trainRatio = static_cast<double>(z3) * x / static_cast<double>(z4);
            const double error = std::fabs(trainRatio - ratio);
            if (error < below && z3 + zn < z1 + z2 && z3 + z4 > z2 + zn &&
                (repeats || !hasRepeat(z1, z2, z3, z4)) && fit_.admits(z1, z2, z3, z4)) {
                hits.push_back(Hit{bi, second.driver, second.driven, trainRatio, error});
            }
        }
        // The window gives the second pairs by ratio; the walk meets them by z3, then z4.
        std::sort(
            hits.begin() + static_cast<std::ptrdiff_t>(groupStart), hits.end(),
            [](const Hit& p, const Hit& q) { return std::tie(p.c, p.d) < std::tie(q.c, q.d); });
    }
}

std::vector<ResultSlot> ChartTrainFinder::listOf(const SearchRequest& request, int count,
                                                 double bound) const {
    using Place = GearStock::Place;
    ReferenceRanking ranking(count, request.zn, request.allowRepeats, SlotScan::FilledSlots);
    const std::vector<std::int16_t>& walked = stock_.walked();
    const bool once = setup_.useOnce;
    const auto at = [this](int value) {
        return std::span<const int>(positions_[static_cast<std::size_t>(value)]);
    };
    const auto fits = [this](int index, Place place) {
        return stock_.fitsAt(static_cast<std::size_t>(index), place);
    };
    // Offers one step as the walk does: only below the ranking's limit.
    const auto offer = [&](const Hit& hit, int i, int j, int k, int l) {
        if (!(hit.error < ranking.errorLimit())) {
            return;
        }
        const int z1 = walked[static_cast<std::size_t>(i)];
        const int z2 = walked[static_cast<std::size_t>(j)];
        if (k < 0) {
            ranking.rankSinglePair(z1, z2, hit.ratio, hit.error);
            return;
        }
        const int z3 = walked[static_cast<std::size_t>(k)];
        if (z3 + request.zn < z1 + z2) {
            ranking.rankTwoPair(z1, z2, z3, walked[static_cast<std::size_t>(l)], hit.ratio,
                                hit.error);
        }
    };
    std::vector<Hit> hits;
    for (std::size_t a = 0; a < values_.size(); ++a) {
        // No later row holds a train below the limit: the walk would list nothing more.
        if (!(laterLeast_[a] < ranking.errorLimit())) {
            break;
        }
        if (!(rowLeast_[a] < ranking.errorLimit())) {
            continue;
        }
        // Trains not below the limit now never will be offered: it only falls.
        rowHits(static_cast<int>(a), request.requiredRatio,
                std::min(std::nextafter(bound, 2.0), ranking.errorLimit()), hits);
        // The row is walked once for each gear of its count, each first pair once for each
        // gear of z2, as the walk goes over single gears.
        for (const int i : at(static_cast<int>(a))) {
            if (!fits(i, Place::First)) {
                continue;
            }
            for (std::size_t group = 0; group < hits.size();) {
                const int b = hits[group].b;
                std::size_t groupEnd = group;
                while (groupEnd < hits.size() && hits[groupEnd].b == b) {
                    ++groupEnd;
                }
                for (const int j : at(b)) {
                    if (once && j == i) {
                        continue;
                    }
                    for (std::size_t h = group; h < groupEnd; ++h) {
                        const Hit& hit = hits[h];
                        if (hit.c < 0) {
                            if (request.includeSinglePairs && fits(j, Place::Last)) {
                                offer(hit, i, j, -1, -1);
                            }
                            continue;
                        }
                        if (!fits(j, Place::Middle)) {
                            continue;
                        }
                        for (const int k : at(hit.c)) {
                            if (!fits(k, Place::Middle) || (once && (k == i || k == j))) {
                                continue;
                            }
                            for (const int l : at(hit.d)) {
                                if (fits(l, Place::Last) &&
                                    !(once && (l == i || l == j || l == k))) {
                                    offer(hit, i, j, k, l);
                                }
                            }
                        }
                    }
                }
                group = groupEnd;
            }
        }
    }
    ResultList list = std::move(ranking).results();
    list.slots.resize(static_cast<std::size_t>(list.filledCount()));
    return std::move(list.slots);
}

std::optional<BestTrain> ChartTrainFinder::best(double ratio,
                                                const std::optional<Fraction>& required) {
    if (auto problem = findRatioProblem(ratio)) {
        throw SearchRefused(*problem);
    }
    if (required) {
        if (auto found = exact_->find(ratio, *required)) {
            return found;
        }
    }
    sortPairs();
    SearchRequest request = setup_;
    request.requiredRatio = ratio;
    const double size = std::fabs(ratio);
    // Errors of listed trains lie below 1.0, the error of an empty slot.
    // Twice the share: trains within a few units in the last place of the ratio, and those
    // tied with them, then need one scan.
    double bound = std::min(std::max(2.0 * size * kTieShare, kFirstBound), 1.0);
    for (;;) {
        const double least = scan(ratio, bound);
        const double wanted = least + (size + least) * kTieShare;
        if (std::isinf(least)) {
            if (bound >= 1.0) {
                return std::nullopt;
            }
            // A train just beyond the bound that the ranking would take: the next bound holds
            // it and the trains tied with it.
            bound = std::isinf(nearest_) ? std::min(bound * kBoundGrowth, 1.0)
                                         : std::min(nearest_ + (size + nearest_) * kTieShare, 1.0);
        } else if (wanted > bound && bound < 1.0) {
            bound = std::min(wanted, 1.0);
        } else {
            break;
        }
    }
    return bestTrain(request, required, [&](const SearchRequest& asked, int count) {
        return listOf(asked, count, bound);
    });
}

} // namespace gearsel
