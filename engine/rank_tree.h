// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The listed trains in rank order, held in a B+ tree: nodes of a few dozen entries keep an
// insertion at any place, the removal of the last train and the search for the first train
// beyond an error at a logarithmic number of short, cache-friendly steps.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace gearsel {

// One listed train: where it ranks (its error, then the order in which it was listed, so that
// among equal errors the train listed first stands higher), its tooth counts packed by
// trainCode() and its ratio.
struct RankedTrain {
    double absError = 0.0;
    std::uint32_t order = 0;
    std::uint32_t code = 0;
    double calcRatio = 0.0;
};

// Whether `x` ranks above `y`.
inline bool ranksAbove(double xError, std::uint32_t xOrder, double yError, std::uint32_t yOrder) {
    return xError != yError ? xError < yError : xOrder < yOrder;
}

class RankTree {
public:
    RankTree();

    std::size_t size() const { return size_; }

    // Adds a train; its rank (error and order) must differ from every listed train's.
    void insert(const RankedTrain& train);
    // The train ranked last, and its removal; the tree must not be empty.
    const RankedTrain& last() const;
    void eraseLast();
    // The first train whose error is above `absError`, or nullptr.
    const RankedTrain* firstAbove(double absError) const;

    // Calls visit(train) for every train, in rank order.
    template <class Visit> void forEach(Visit visit) const { visitNode(root_, height_, visit); }

private:
    static constexpr int kLeafSize = 32;
    static constexpr int kFanOut = 32;

    struct Leaf {
        int count = 0;
        std::array<RankedTrain, kLeafSize> trains;
    };
    // An inner node knows, for each child, the rank of the last train below it.
    struct Inner {
        int count = 0;
        std::array<double, kFanOut> lastError;
        std::array<std::uint32_t, kFanOut> lastOrder;
        std::array<std::uint32_t, kFanOut> child;
    };
    // A node that split hands its new right half up to its parent.
    struct Split {
        bool happened = false;
        std::uint32_t node = 0;
    };

    Split insertInto(std::uint32_t node, int height, const RankedTrain& train);
    Split insertIntoLeaf(std::uint32_t leaf, const RankedTrain& train);
    // Removes the last train below `node`; true if the node is left empty.
    bool eraseLastFrom(std::uint32_t node, int height);
    // Sets the recorded rank of child `at` of `inner` from the child itself.
    void refreshChild(Inner& inner, int at, int childHeight);
    const RankedTrain& lastBelow(std::uint32_t node, int height) const;
    std::uint32_t newLeaf();
    std::uint32_t newInner();

    template <class Visit> void visitNode(std::uint32_t node, int height, Visit& visit) const {
        if (height == 0) {
            const Leaf& leaf = leaves_[node];
            for (int i = 0; i < leaf.count; ++i) {
                visit(leaf.trains[static_cast<std::size_t>(i)]);
            }
            return;
        }
        const Inner& inner = inners_[node];
        for (int i = 0; i < inner.count; ++i) {
            visitNode(inner.child[static_cast<std::size_t>(i)], height - 1, visit);
        }
    }

    std::vector<Leaf> leaves_;
    std::vector<Inner> inners_;
    std::vector<std::uint32_t> freeLeaves_;
    std::vector<std::uint32_t> freeInners_;
    std::uint32_t root_ = 0;
    int height_ = 0; // inner levels above the leaves
    std::size_t size_ = 0;
};

} // namespace gearsel
