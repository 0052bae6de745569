#include "engine/three_pair_search.h"

#include "engine/gear_stock.h"
#include "engine/ratio_target.h"
#include "engine/three_pair_rules.h"
#include "engine/triple_products.h"

#include <algorithm>
#include <array>
#include <memory>

// How the search finds the best trains without walking every six gears:
//
// - A train's ratio is P/Q, the product of its three drivers over that of its three driven
//   gears, whatever their order. So the search lists every triple the drivers can be and every
//   triple the driven gears can be (about n^3 / 6 each for n tooth counts), grouped by product,
//   and pairs products instead of trains.
// - For each driven product Q, the driver products P ascending give errors |P/Q - r| that
//   fall up to the first P with P/Q >= r and rise after it. Two fronts start there for every
//   Q, one stepping down and one up, in a heap ordered by exact error. Popping the heap yields
//   the pairs (P, Q) in ascending order of error; all pairs of one error form a group.
// - A group's trains are the pairs of a driver triple of P and a driven triple of Q that share
//   no gear the stock cannot spare, with an arrangement the assembly conditions allow (the
//   first such one is the listed arrangement). They all have the same error, so the list takes
//   them in the order of (z1, ..., z6). Where the list needs only some of them, they are taken
//   in blocks of one smallest driver (of one smallest driven gear where the first driver is
//   fixed): z1 (or z2) is at least that gear, so once the list has its share, no block of a
//   larger gear can hold a better train. That keeps a ratio hit by millions of trains, such
//   as 1, cheap.
// - Groups are taken until the list is full or no pair is left. No train is left out: every
//   pair (P, Q) is on one of the fronts, and every train is in the group of its pair.

namespace gearsel {

namespace {

using Triple = TripleProducts::Triple;
using Distance = RatioTarget::Distance;

// The next pair of one front: driver product `p` (an index) against driven product `q`.
struct Front {
    Distance distance; // |P·den - Q·num| of the pair
    std::uint32_t q;   // Q itself, for comparing errors
    std::uint32_t p;
    std::uint32_t qAt;
    std::int32_t step; // 1 up, -1 down
};

// Whether the error of `x` is below that of `y`: distance / (Q·den) with den common to both.
bool closer(const Front& x, const Front& y) {
    return x.distance * y.q < y.distance * x.q;
}

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
                    const std::optional<Fraction>& requiredFraction);

    std::vector<ThreePairSlot> run();

private:
    void startFronts();
    // Moves the pairs of the next smallest error from the heap into group_.
    void takeGroup();
    // Lists up to `wanted` trains of the group, in the order of (z1, ..., z6).
    void listGroup(std::size_t wanted);
    // The train of one driver and one driven triple, offered to best_.
    void offer(const Triple& drivers, const Triple& driven, std::size_t wanted);
    // Whether the two triples share a gear that the repeat rule or the stock forbids.
    bool clash(const Triple& drivers, const Triple& driven) const;

    const SearchRequest& request_;
    GearStock stock_;
    RatioTarget target_;
    std::unique_ptr<TripleProducts> drivers_;
    std::unique_ptr<TripleProducts> ownDriven_; // null where the driven gears are as the drivers
    const TripleProducts* driven_ = nullptr;
    std::vector<Front> heap_;
    std::vector<Front> group_;
    std::vector<Block> blocks_;
    std::vector<ThreePairTrain> best_; // a heap of the group's best trains, the worst on top
    std::vector<ThreePairSlot> list_;
};

ThreePairSearch::ThreePairSearch(std::span<const std::int16_t> sortedGears,
                                 const SearchRequest& request,
                                 const std::optional<Fraction>& requiredFraction)
    : request_(request), stock_(sortedGears, request),
      target_(request.requiredRatio, requiredFraction) {}

std::vector<ThreePairSlot> ThreePairSearch::run() {
    const auto count = static_cast<std::size_t>(std::max(request_.resultCount, 0));
    if (count == 0 || stock_.walked().empty()) {
        return {};
    }
    std::vector<int> counts(stock_.walked().begin(), stock_.walked().end());
    counts.erase(std::unique(counts.begin(), counts.end()), counts.end());
    std::array<int, kMaxTeeth + 1> driverLimits{};
    std::array<int, kMaxTeeth + 1> drivenLimits{};
    for (const int teeth : counts) {
        driverLimits[static_cast<std::size_t>(teeth)] = stock_.driverLimit(teeth);
        drivenLimits[static_cast<std::size_t>(teeth)] = stock_.drivenLimit(teeth);
    }
    const bool distinct = !request_.allowRepeats;
    drivers_ =
        std::make_unique<TripleProducts>(counts, driverLimits, stock_.firstDriver(), distinct);
    driven_ = drivers_.get();
    if (drivenLimits != driverLimits || stock_.lastDriven() != stock_.firstDriver()) {
        ownDriven_ =
            std::make_unique<TripleProducts>(counts, drivenLimits, stock_.lastDriven(), distinct);
        driven_ = ownDriven_.get();
    }
    startFronts();
    while (list_.size() < count && !heap_.empty()) {
        takeGroup();
        listGroup(count - list_.size());
    }
    return std::move(list_);
}

void ThreePairSearch::startFronts() {
    const TripleProducts& drivers = *drivers_;
    const auto make = [&](std::uint32_t p, std::uint32_t qAt, std::int32_t step) {
        const std::uint32_t q = driven_->value(qAt);
        return Front{target_.distance(drivers.value(p), q), q, p, qAt, step};
    };
    heap_.reserve(2 * driven_->size());
    // The first P with P/Q >= r only moves up as Q grows.
    std::size_t split = 0;
    for (std::size_t qAt = 0; qAt < driven_->size(); ++qAt) {
        const std::uint32_t q = driven_->value(qAt);
        while (split < drivers.size() && target_.side(drivers.value(split), q) < 0) {
            ++split;
        }
        const auto at = static_cast<std::uint32_t>(qAt);
        if (split < drivers.size()) {
            heap_.push_back(make(static_cast<std::uint32_t>(split), at, 1));
        }
        if (split > 0) {
            heap_.push_back(make(static_cast<std::uint32_t>(split - 1), at, -1));
        }
    }
    std::make_heap(heap_.begin(), heap_.end(),
                   [](const Front& x, const Front& y) { return closer(y, x); });
}

void ThreePairSearch::takeGroup() {
    const auto later = [](const Front& x, const Front& y) { return closer(y, x); };
    group_.clear();
    do {
        std::pop_heap(heap_.begin(), heap_.end(), later);
        Front front = heap_.back();
        heap_.pop_back();
        group_.push_back(front);
        // The next driver product along this front, whose error is larger.
        const auto next = static_cast<std::int64_t>(front.p) + front.step;
        if (next >= 0 && next < static_cast<std::int64_t>(drivers_->size())) {
            front.p = static_cast<std::uint32_t>(next);
            front.distance = target_.distance(drivers_->value(front.p), front.q);
            heap_.push_back(front);
            std::push_heap(heap_.begin(), heap_.end(), later);
        }
    } while (!heap_.empty() && !closer(group_.front(), heap_.front()));
}

void ThreePairSearch::listGroup(std::size_t wanted) {
    // Blocks of the drivers by their smallest gear; where the first driver is fixed, every
    // train begins with it, and the driven gears are split instead.
    const bool byDriven = stock_.firstDriver().has_value();
    blocks_.clear();
    for (std::uint32_t pair = 0; pair < group_.size(); ++pair) {
        const Front& front = group_[pair];
        const auto side = byDriven ? driven_->triples(front.qAt) : drivers_->triples(front.p);
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
    const auto byTrain = [](const ThreePairTrain& x, const ThreePairTrain& y) { return x < y; };
    best_.clear();
    for (std::size_t at = 0; at < blocks_.size();) {
        const int least = blocks_[at].least;
        if (best_.size() == wanted && least > (byDriven ? best_.front().z2 : best_.front().z1)) {
            break;
        }
        for (; at < blocks_.size() && blocks_[at].least == least; ++at) {
            const Block& block = blocks_[at];
            const Front& front = group_[block.pair];
            auto drivers = drivers_->triples(front.p);
            auto driven = driven_->triples(front.qAt);
            (byDriven ? driven : drivers) =
                (byDriven ? driven : drivers).subspan(block.from, block.to - block.from);
            for (const Triple& d : drivers) {
                for (const Triple& e : driven) {
                    offer(d, e, wanted);
                }
            }
        }
    }
    std::sort_heap(best_.begin(), best_.end(), byTrain);
    for (const ThreePairTrain& train : best_) {
        list_.push_back(threePairSlot(train, target_));
    }
}

void ThreePairSearch::offer(const Triple& d, const Triple& e, std::size_t wanted) {
    if (clash(d, e)) {
        return;
    }
    const std::optional<ThreePairTrain> train = firstArrangement(
        {d.a, d.b, d.c}, {e.a, e.b, e.c}, request_.zn, stock_.firstDriver(), stock_.lastDriven());
    if (!train) {
        return;
    }
    const auto byTrain = [](const ThreePairTrain& x, const ThreePairTrain& y) { return x < y; };
    if (best_.size() < wanted) {
        best_.push_back(*train);
        std::push_heap(best_.begin(), best_.end(), byTrain);
    } else if (*train < best_.front()) {
        std::pop_heap(best_.begin(), best_.end(), byTrain);
        best_.back() = *train;
        std::push_heap(best_.begin(), best_.end(), byTrain);
    }
}

bool ThreePairSearch::clash(const Triple& d, const Triple& e) const {
    const std::array<int, 3> drivers = {d.a, d.b, d.c};
    const std::array<int, 3> driven = {e.a, e.b, e.c};
    for (std::size_t i = 0; i < 3; ++i) {
        const int teeth = drivers[i];
        if (i > 0 && teeth == drivers[i - 1]) {
            continue;
        }
        const auto inDriven = std::count(driven.begin(), driven.end(), teeth);
        if (inDriven == 0) {
            continue;
        }
        if (!request_.allowRepeats) {
            return true;
        }
        if (stock_.useOnce() && std::count(drivers.begin(), drivers.end(), teeth) + inDriven >
                                    stock_.trainLimit(teeth)) {
            return true;
        }
    }
    return false;
}

} // namespace

std::vector<ThreePairSlot> searchThreePairs(std::span<const std::int16_t> sortedGears,
                                            const SearchRequest& request,
                                            const std::optional<Fraction>& requiredFraction) {
    return ThreePairSearch(sortedGears, request, requiredFraction).run();
}

} // namespace gearsel
