// SPDX-License-Identifier: GPL-3.0-or-later
// The B+ tree of listed trains against a std::set holding the same ranks: random insertions
// anywhere, runs of removals from the end that empty whole subtrees, and searches for the
// first train beyond an error, at sizes that build trees several levels deep.

#include "engine/rank_tree.h"

#include <gtest/gtest.h>
#include <random>
#include <set>
#include <utility>

namespace gearsel {
namespace {

using Model = std::set<std::pair<double, std::uint32_t>>;

std::vector<std::pair<double, std::uint32_t>> contents(const RankTree& tree) {
    std::vector<std::pair<double, std::uint32_t>> out;
    tree.forEach([&](const RankedTrain& t) { out.emplace_back(t.absError, t.order); });
    return out;
}

TEST(RankTreeTest, AgreesWithAnOrderedSetThroughGrowthAndDrain) {
    std::mt19937_64 rng(20240607);
    const auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    RankTree tree;
    Model model;
    std::uint32_t order = 0;
    // Grow to about 40,000 trains (three levels of inner nodes), drain to a few, grow again.
    for (const auto& [inserts, removals] : {std::pair{40000, 2000}, {5000, 42000}, {20000, 0}}) {
        for (int i = 0; i < inserts + removals; ++i) {
            const bool insert = below(inserts + removals) < inserts;
            if (insert || model.empty()) {
                // Few distinct errors, so that many trains tie and the order decides.
                const double error = below(4000) / 4096.0;
                tree.insert(RankedTrain{error, order, order + 1, error * 3});
                model.emplace(error, order++);
            } else {
                ASSERT_EQ(tree.last().order, std::prev(model.end())->second);
                tree.eraseLast();
                model.erase(std::prev(model.end()));
            }
            ASSERT_EQ(tree.size(), model.size());
            if (i % 50 == 0) {
                const double error = below(4100) / 4096.0;
                const auto stop = model.upper_bound({error, UINT32_MAX});
                const RankedTrain* found = tree.firstAbove(error);
                ASSERT_EQ(found == nullptr, stop == model.end()) << error;
                if (found != nullptr) {
                    EXPECT_EQ(found->order, stop->second);
                    EXPECT_EQ(found->code, found->order + 1);
                }
            }
        }
        ASSERT_EQ(contents(tree), std::vector(model.begin(), model.end()));
    }
    // And drain to nothing.
    for (; !model.empty(); model.erase(std::prev(model.end()))) {
        ASSERT_EQ(tree.last().order, std::prev(model.end())->second);
        tree.eraseLast();
    }
    EXPECT_EQ(tree.size(), 0U);
    EXPECT_EQ(tree.firstAbove(0.0), nullptr);
}

} // namespace
} // namespace gearsel
