// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pairs of a driver product P and a driven product Q in ascending order of |P/Q - r|, a
// group of equal errors at a time. For each product of one side (a row), the products of the
// other side (the columns) give errors that fall up to where P/Q passes r and rise beyond;
// two fronts start there for every row, one stepping each way, in a heap ordered by exact
// error.

#include "engine/ratio_target.h"
#include "engine/triple_products.h"

#include <cstdint>
#include <span>
#include <vector>

namespace gearsel {

class ProductFronts {
public:
    // Which side's products the fronts step through, for each product of the other side.
    enum class Walk { DriversForEachDriven, DrivenForEachDriver };
    // The products of the stepped side a row can go with, low to high; low > high: none.
    struct Reach {
        std::uint32_t low;
        std::uint32_t high;
    };
    // One pair: the indexes of its driver and driven product.
    struct Pair {
        std::uint32_t drivers;
        std::uint32_t driven;
    };

    // Only pairs with ratios from `lowest` to `highest` take part, and, where `reach` is not
    // empty, only the products reach[row] allows for each row. The lists and the target must
    // outlive the fronts.
    ProductFronts(const TripleProducts& drivers, const TripleProducts& driven,
                  const RatioTarget& target, double lowest, double highest, Walk walk,
                  std::span<const Reach> reach);

    // The pairs of the next smallest error; empty once no pair is left.
    const std::vector<Pair>& nextGroup();

private:
    using Distance = RatioTarget::Distance;
    // The next pair of one front.
    struct Front {
        Distance distance; // |P·den - Q·num| of the pair
        std::uint32_t q;   // Q itself, for comparing errors
        std::uint32_t row;
        std::uint32_t column;
        std::uint32_t end; // where the front stops: up, the first column beyond; down, the last
        std::int32_t step; // 1 up, -1 down
    };
    // Whether the error of `x` is below that of `y`: distance / (Q·den), den common to both.
    static bool closer(const Front& x, const Front& y) {
        return x.distance * y.q < y.distance * x.q;
    }
    // The heap's order: the closest front on top.
    static bool farther(const Front& x, const Front& y) { return closer(y, x); }

    void start(double lowest, double highest, std::span<const Reach> reach);
    // The front's pair as driver and driven product values.
    std::uint32_t driverProduct(const Front& front) const;
    std::uint32_t drivenProduct(const Front& front) const;
    Front make(std::uint32_t row, std::uint32_t column, std::uint32_t end, std::int32_t step) const;

    const TripleProducts& rows_;
    const TripleProducts& columns_;
    const RatioTarget& target_;
    bool byDriven_; // rows are driven products
    std::vector<Front> heap_;
    std::vector<Pair> group_;
    Front groupFront_{}; // the first front of the group, whose error the group shares
};

} // namespace gearsel
