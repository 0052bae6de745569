// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/three_pair_search.h"

#include "engine/gear_stock.h"
#include "engine/product_fronts.h"
#include "engine/ratio_target.h"
#include "engine/three_pair_bounds.h"
#include "engine/three_pair_chains.h"
#include "engine/three_pair_rules.h"
#include "engine/triple_products.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

// How the search finds the best trains without walking every six gears:
//
// - A train's ratio is P/Q, the product of its three drivers over that of its three driven
//   gears, whatever their order. So the search lists every triple the drivers can be and every
//   triple the driven gears can be (about n^3 / 6 each for n tooth counts), grouped by product,
//   and pairs products instead of trains.
// - ProductFronts yields the pairs (P, Q) in ascending order of exact error, all pairs of one
//   error as a group.
// - A group's trains are the pairs of a driver triple of P and a driven triple of Q that share
//   no gear the stock cannot spare, with an arrangement the assembly conditions allow (the
//   first such one is the listed arrangement). They all have the same error, so the list takes
//   them in the order of (z1, ..., z6). Where the list needs only some of them, they are taken
//   in blocks of one smallest driver (of one smallest driven gear where the first driver is
//   fixed): z1 (or z2) is at least that gear, so once the list has its share, no block of a
//   larger gear can hold a better train. That keeps a ratio hit by millions of trains, such
//   as 1, cheap.
// - Groups are taken until the list is full or no pair is left. No train is left out: every
//   pair (P, Q) whose ratio some arrangement can have takes part, and every train is in the
//   group of its pair.
// - The assembly conditions can leave few trains, or none (a thick shaft), or none near the
//   required ratio: pairing products would then go through a great many pairs in vain. So
//   the search first counts the arrangements the conditions allow and bounds their ratios
//   (ThreePairChains, in passes over pairs of tooth counts). Where there are few, it walks
//   them all and keeps the best. Otherwise only pairs within the bounds take part, and where
//   the conditions leave a small share of all arrangements, only the products that can go
//   with the other side's (ThreePairBounds): near the ends of the reachable ratios most pairs
//   cannot be mounted, and these bounds leave most of those out.

namespace gearsel {

namespace {

using Triple = TripleProducts::Triple;
using Reach = ProductFronts::Reach;

// A block of triples of one side whose smallest tooth count is `least`, for one pair.
struct Block {
    int least;
    std::uint32_t pair; // index into the group
    std::uint32_t from;
    std::uint32_t to;
};

class ThreePairSearch {
public:
    ThreePairSearch(std::span<const std::int16_t> sortedGears, const SearchRequest& request,
                    const std::optional<Fraction>& requiredFraction, const ThreePairTuning& tuning,
                    const SearchCancel* cancel);

    // The list, or nothing when the search was asked to stop before it was complete.
    std::optional<std::vector<ThreePairSlot>> run();

private:
    // Every arrangement the conditions allow, the best `count` trains of them.
    void walkAll(const ThreePairChains& chains, std::size_t count);
    // Pairs products, within the ratios of the arrangements.
    void pairProducts(const ThreePairChains& chains, std::size_t count);
    // Lists up to `wanted` trains of the group, in the order of (z1, ..., z6).
    void listGroup(const std::vector<ProductFronts::Pair>& group, std::size_t wanted);
    // The train of one driver and one driven triple, offered to best_.
    void offer(const Triple& drivers, const Triple& driven, std::size_t wanted);
    // Whether the stock holds the drivers and driven gears (each ascending) together, and the
    // repeat rule lets them be.
    bool held(const std::array<int, 3>& drivers, const std::array<int, 3>& driven) const;
    // Whether the search is to stop; once it says so, it keeps saying so.
    bool stopping();

    const SearchRequest& request_;
    ThreePairTuning tuning_;
    GearStock stock_;
    RatioTarget target_;
    std::unique_ptr<TripleProducts> drivers_;
    std::unique_ptr<TripleProducts> ownDriven_; // null where the driven gears are as the drivers
    const TripleProducts* driven_ = nullptr;
    std::vector<Block> blocks_;
    std::vector<ThreePairTrain> best_; // a heap of the group's best trains, the worst on top
    std::vector<ThreePairSlot> list_;
    const SearchCancel* cancel_;
    bool stopped_ = false;
};

ThreePairSearch::ThreePairSearch(std::span<const std::int16_t> sortedGears,
                                 const SearchRequest& request,
                                 const std::optional<Fraction>& requiredFraction,
                                 const ThreePairTuning& tuning, const SearchCancel* cancel)
    : request_(request), tuning_(tuning), stock_(sortedGears, request),
      target_(request.requiredRatio, requiredFraction), cancel_(cancel) {}

bool ThreePairSearch::stopping() {
    stopped_ = stopped_ || cancelRequested(cancel_);
    return stopped_;
}

std::optional<std::vector<ThreePairSlot>> ThreePairSearch::run() {
    const auto count = static_cast<std::size_t>(std::max(request_.resultCount, 0));
    if (stopping()) {
        return std::nullopt;
    }
    if (count == 0 || stock_.walked().empty()) {
        return std::vector<ThreePairSlot>{};
    }
    const ThreePairChains chains(stock_, request_.zn);
    if (stopping()) {
        return std::nullopt;
    }
    if (chains.count() <= tuning_.walkAtMost) {
        walkAll(chains, count);
    } else {
        pairProducts(chains, count);
    }
    if (stopped_) {
        return std::nullopt;
    }
    return std::move(list_);
}

void ThreePairSearch::walkAll(const ThreePairChains& chains, std::size_t count) {
    const auto before = [&](const ThreePairTrain& x, const ThreePairTrain& y) {
        return ranksBefore(x, y, target_);
    };
    // A heap of the best trains so far, the worst on top.
    std::vector<ThreePairTrain> best;
    // The walk cannot be left half-way; once asked to stop, it skips what is left.
    std::uint32_t visits = 0;
    chains.forEach([&](const ThreePairTrain& train) {
        if (stopped_ || (++visits % 4096 == 0 && stopping())) {
            return;
        }
        if (!request_.allowRepeats && hasRepeat(train)) {
            return;
        }
        std::array<int, 3> drivers = {train.z1, train.z3, train.z5};
        std::array<int, 3> driven = {train.z2, train.z4, train.z6};
        std::sort(drivers.begin(), drivers.end());
        std::sort(driven.begin(), driven.end());
        // Each train once: where the walk meets its first arrangement.
        if (!held(drivers, driven) ||
            firstArrangement(drivers, driven, request_.zn, stock_.firstDriver(),
                             stock_.lastDriven()) != train) {
            return;
        }
        if (best.size() < count) {
            best.push_back(train);
            std::push_heap(best.begin(), best.end(), before);
        } else if (before(train, best.front())) {
            std::pop_heap(best.begin(), best.end(), before);
            best.back() = train;
            std::push_heap(best.begin(), best.end(), before);
        }
    });
    std::sort_heap(best.begin(), best.end(), before);
    for (const ThreePairTrain& train : best) {
        list_.push_back(threePairSlot(train, target_));
    }
}

void ThreePairSearch::pairProducts(const ThreePairChains& chains, std::size_t count) {
    std::vector<int> counts(stock_.walked().begin(), stock_.walked().end());
    counts.erase(std::unique(counts.begin(), counts.end()), counts.end());
    std::array<int, kMaxTeeth + 1> driverLimits{};
    std::array<int, kMaxTeeth + 1> drivenLimits{};
    for (const int teeth : counts) {
        driverLimits[static_cast<std::size_t>(teeth)] = stock_.driverLimit(teeth);
        drivenLimits[static_cast<std::size_t>(teeth)] = stock_.drivenLimit(teeth);
    }
    std::optional<ThreePairBounds> bounds;
    if (chains.share() < tuning_.boundBelowShare) {
        bounds.emplace(stock_, request_.zn);
    }
    // Triples that nothing on the other side completes never take part.
    const bool distinct = !request_.allowRepeats;
    drivers_ = std::make_unique<TripleProducts>(
        counts, driverLimits, stock_.firstDriver(), distinct,
        [&](int a, int b, int c) { return !bounds || bounds->drivenFor(a, b, c).has_value(); });
    driven_ = drivers_.get();
    if (bounds || drivenLimits != driverLimits || stock_.lastDriven() != stock_.firstDriver()) {
        ownDriven_ = std::make_unique<TripleProducts>(
            counts, drivenLimits, stock_.lastDriven(), distinct, [&](int a, int b, int c) {
                return !bounds || bounds->driversFor(a, b, c).has_value();
            });
        driven_ = ownDriven_.get();
    }
    // Where the bounds hold, the fronts step through the side whose least product the other
    // side bounds tightly: the drivers for ratios in the lower half of the reachable ones,
    // where small drivers run out first, the driven gears in the upper half.
    auto walk = ProductFronts::Walk::DriversForEachDriven;
    std::vector<Reach> reach;
    if (bounds) {
        if (request_.requiredRatio > std::sqrt(chains.lowestRatio() * chains.highestRatio())) {
            walk = ProductFronts::Walk::DrivenForEachDriver;
        }
        const bool byDriven = walk == ProductFronts::Walk::DriversForEachDriven;
        const TripleProducts& rows = byDriven ? *driven_ : *drivers_;
        reach.assign(rows.size(), Reach{1, 0});
        for (std::size_t row = 0; row < rows.size(); ++row) {
            for (const Triple& t : rows.triples(row)) {
                const auto range =
                    byDriven ? bounds->driversFor(t.a, t.b, t.c) : bounds->drivenFor(t.a, t.b, t.c);
                Reach& own = reach[row];
                own = own.low > own.high
                          ? Reach{range->low, range->high}
                          : Reach{std::min(own.low, range->low), std::max(own.high, range->high)};
            }
        }
    }
    if (stopping()) {
        return;
    }
    ProductFronts fronts(*drivers_, *driven_, target_, chains.lowestRatio(), chains.highestRatio(),
                         walk, reach);
    while (list_.size() < count && !stopping()) {
        const std::vector<ProductFronts::Pair>& group = fronts.nextGroup();
        if (group.empty()) {
            break;
        }
        listGroup(group, count - list_.size());
    }
}

void ThreePairSearch::listGroup(const std::vector<ProductFronts::Pair>& group, std::size_t wanted) {
    // Blocks of the drivers by their smallest gear; where the first driver is fixed, every
    // train begins with it, and the driven gears are split instead.
    const bool byDriven = stock_.firstDriver().has_value();
    blocks_.clear();
    for (std::uint32_t pair = 0; pair < group.size(); ++pair) {
        const auto side = byDriven ? driven_->triples(group[pair].driven)
                                   : drivers_->triples(group[pair].drivers);
        for (std::uint32_t from = 0; from < side.size();) {
            std::uint32_t to = from + 1;
            while (to < side.size() && side[to].a == side[from].a) {
                ++to;
            }
            blocks_.push_back(Block{side[from].a, pair, from, to});
            from = to;
        }
    }
    std::sort(blocks_.begin(), blocks_.end(),
              [](const Block& x, const Block& y) { return x.least < y.least; });
    best_.clear();
    for (std::size_t at = 0; at < blocks_.size();) {
        if (stopping()) {
            return;
        }
        const int least = blocks_[at].least;
        if (best_.size() == wanted && least > (byDriven ? best_.front().z2 : best_.front().z1)) {
            break;
        }
        for (; at < blocks_.size() && blocks_[at].least == least; ++at) {
            const Block& block = blocks_[at];
            auto drivers = drivers_->triples(group[block.pair].drivers);
            auto driven = driven_->triples(group[block.pair].driven);
            (byDriven ? driven : drivers) =
                (byDriven ? driven : drivers).subspan(block.from, block.to - block.from);
            for (const Triple& d : drivers) {
                for (const Triple& e : driven) {
                    offer(d, e, wanted);
                }
            }
        }
    }
    std::sort_heap(best_.begin(), best_.end());
    for (const ThreePairTrain& train : best_) {
        list_.push_back(threePairSlot(train, target_));
    }
}

void ThreePairSearch::offer(const Triple& d, const Triple& e, std::size_t wanted) {
    const std::array<int, 3> drivers = {d.a, d.b, d.c};
    const std::array<int, 3> driven = {e.a, e.b, e.c};
    if (!held(drivers, driven)) {
        return;
    }
    const std::optional<ThreePairTrain> train =
        firstArrangement(drivers, driven, request_.zn, stock_.firstDriver(), stock_.lastDriven());
    if (!train) {
        return;
    }
    if (best_.size() < wanted) {
        best_.push_back(*train);
        std::push_heap(best_.begin(), best_.end());
    } else if (*train < best_.front()) {
        std::pop_heap(best_.begin(), best_.end());
        best_.back() = *train;
        std::push_heap(best_.begin(), best_.end());
    }
}

bool ThreePairSearch::held(const std::array<int, 3>& drivers,
                           const std::array<int, 3>& driven) const {
    for (std::size_t i = 0; i < 3; ++i) {
        const int teeth = drivers[i];
        const auto inDriven = std::count(driven.begin(), driven.end(), teeth);
        if ((inDriven > 0 && !request_.allowRepeats) ||
            (stock_.useOnce() && (i == 0 || teeth != drivers[i - 1]) &&
             std::count(drivers.begin(), drivers.end(), teeth) + inDriven >
                 stock_.trainLimit(teeth))) {
            return false;
        }
    }
    // Drivers and driven gears within the limits of their own side.
    const auto within = [](const std::array<int, 3>& side, auto limit) {
        const auto copies = [&](int teeth) {
            return static_cast<int>(std::count(side.begin(), side.end(), teeth));
        };
        return limit(side[0]) >= copies(side[0]) && limit(side[1]) >= copies(side[1]) &&
               limit(side[2]) >= copies(side[2]);
    };
    return within(drivers, [&](int teeth) { return stock_.driverLimit(teeth); }) &&
           within(driven, [&](int teeth) { return stock_.drivenLimit(teeth); });
}

} // namespace

std::vector<ThreePairSlot> searchThreePairs(std::span<const std::int16_t> sortedGears,
                                            const SearchRequest& request,
                                            const std::optional<Fraction>& requiredFraction,
                                            const ThreePairTuning& tuning) {
    return *ThreePairSearch(sortedGears, request, requiredFraction, tuning, nullptr).run();
}

std::optional<std::vector<ThreePairSlot>>
searchThreePairsUnlessCancelled(std::span<const std::int16_t> sortedGears,
                                const SearchRequest& request,
                                const std::optional<Fraction>& requiredFraction,
                                const SearchCancel& cancel, const ThreePairTuning& tuning) {
    return ThreePairSearch(sortedGears, request, requiredFraction, tuning, &cancel).run();
}

} // namespace gearsel
