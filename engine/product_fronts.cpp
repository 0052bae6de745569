// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/product_fronts.h"

#include <algorithm>

namespace gearsel {

ProductFronts::ProductFronts(const TripleProducts& drivers, const TripleProducts& driven,
                             const RatioTarget& target, double lowest, double highest, Walk walk,
                             std::span<const Reach> reach)
    : rows_(walk == Walk::DriversForEachDriven ? driven : drivers),
      columns_(walk == Walk::DriversForEachDriven ? drivers : driven), target_(target),
      byDriven_(walk == Walk::DriversForEachDriven) {
    start(lowest, highest, reach);
}

std::uint32_t ProductFronts::driverProduct(const Front& front) const {
    return byDriven_ ? columns_.value(front.column) : rows_.value(front.row);
}

std::uint32_t ProductFronts::drivenProduct(const Front& front) const {
    return byDriven_ ? rows_.value(front.row) : columns_.value(front.column);
}

ProductFronts::Front ProductFronts::make(std::uint32_t row, std::uint32_t column, std::uint32_t end,
                                         std::int32_t step) const {
    Front front{0, 0, row, column, end, step};
    front.q = drivenProduct(front);
    front.distance = target_.distance(driverProduct(front), front.q);
    return front;
}

void ProductFronts::start(double lowest, double highest, std::span<const Reach> reach) {
    const std::size_t columns = columns_.size();
    const auto column = [&](std::size_t at) { return static_cast<double>(columns_.value(at)); };
    const auto firstAtLeast = [&](std::uint32_t product) {
        std::size_t from = 0;
        std::size_t to = columns;
        while (from < to) {
            const std::size_t mid = from + (to - from) / 2;
            if (columns_.value(mid) < product) {
                from = mid + 1;
            } else {
                to = mid;
            }
        }
        return from;
    };
    heap_.reserve(2 * rows_.size());
    // For each row: `split`, where the pairs pass from one side of r to the other, and the
    // columns whose ratios lie within the bounds, from `low` to below `high`. All three only
    // move up as the rows grow. Going up the columns, ratios rise where the columns are
    // driver products and fall where they are driven products.
    std::size_t split = 0;
    std::size_t low = 0;
    std::size_t high = 0;
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        const double value = rows_.value(row);
        if (byDriven_) {
            const auto q = static_cast<std::uint32_t>(value);
            while (split < columns && target_.side(columns_.value(split), q) < 0) {
                ++split;
            }
            while (low < columns && column(low) < lowest * value) {
                ++low;
            }
            while (high < columns && column(high) <= highest * value) {
                ++high;
            }
        } else {
            const auto p = static_cast<std::uint32_t>(value);
            while (split < columns && target_.side(p, columns_.value(split)) > 0) {
                ++split;
            }
            while (low < columns && column(low) * highest < value) {
                ++low;
            }
            while (high < columns && column(high) * lowest <= value) {
                ++high;
            }
        }
        std::size_t from = low;
        std::size_t to = high;
        if (!reach.empty()) {
            if (reach[row].low > reach[row].high) {
                continue;
            }
            from = std::max(from, firstAtLeast(reach[row].low));
            to = std::min(to, firstAtLeast(reach[row].high + 1));
        }
        const auto at = static_cast<std::uint32_t>(row);
        const std::size_t up = std::max(split, from);
        if (up < to) {
            heap_.push_back(
                make(at, static_cast<std::uint32_t>(up), static_cast<std::uint32_t>(to), 1));
        }
        const std::size_t down = std::min(split, to);
        if (down > from) {
            heap_.push_back(make(at, static_cast<std::uint32_t>(down - 1),
                                 static_cast<std::uint32_t>(from), -1));
        }
    }
    std::make_heap(heap_.begin(), heap_.end(), farther);
}

const std::vector<ProductFronts::Pair>& ProductFronts::nextGroup() {
    group_.clear();
    while (!heap_.empty()) {
        if (!group_.empty() && closer(groupFront_, heap_.front())) {
            break;
        }
        std::pop_heap(heap_.begin(), heap_.end(), farther);
        Front front = heap_.back();
        heap_.pop_back();
        if (group_.empty()) {
            groupFront_ = front;
        }
        group_.push_back(byDriven_ ? Pair{front.column, front.row} : Pair{front.row, front.column});
        // The next column along this front, whose error is larger.
        if (front.step > 0 ? front.column + 1 < front.end : front.column > front.end) {
            heap_.push_back(make(front.row, front.step > 0 ? front.column + 1 : front.column - 1,
                                 front.end, front.step));
            std::push_heap(heap_.begin(), heap_.end(), farther);
        }
    }
    return group_;
}

} // namespace gearsel
