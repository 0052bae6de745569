// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/rank_tree.h"

#include <algorithm>

namespace gearsel {

namespace {

bool trainRanksAbove(const RankedTrain& x, const RankedTrain& y) {
    return ranksAbove(x.absError, x.order, y.absError, y.order);
}

// An empty node: one given back earlier, or a new one.
template <class Node>
std::uint32_t reuseOrAdd(std::vector<Node>& nodes, std::vector<std::uint32_t>& given) {
    if (given.empty()) {
        nodes.emplace_back();
        return static_cast<std::uint32_t>(nodes.size() - 1);
    }
    const std::uint32_t node = given.back();
    given.pop_back();
    nodes[node].count = 0;
    return node;
}

} // namespace

RankTree::RankTree() {
    root_ = newLeaf();
}

void RankTree::insert(const RankedTrain& train) {
    const Split split = insertInto(root_, height_, train);
    if (split.happened) {
        // The root split: a new root above the two halves.
        const std::uint32_t root = newInner();
        Inner& inner = inners_[root];
        inner.count = 2;
        inner.child[0] = root_;
        inner.child[1] = split.node;
        refreshChild(inner, 0, height_);
        refreshChild(inner, 1, height_);
        root_ = root;
        ++height_;
    }
    ++size_;
}

RankTree::Split RankTree::insertInto(std::uint32_t node, int height, const RankedTrain& train) {
    if (height == 0) {
        return insertIntoLeaf(node, train);
    }
    // The first child whose last train does not rank above the new one takes it; a train
    // beyond every child goes to the last.
    int at = 0;
    {
        const Inner& inner = inners_[node];
        while (at < inner.count - 1 && ranksAbove(inner.lastError[static_cast<std::size_t>(at)],
                                                  inner.lastOrder[static_cast<std::size_t>(at)],
                                                  train.absError, train.order)) {
            ++at;
        }
    }
    const Split below =
        insertInto(inners_[node].child[static_cast<std::size_t>(at)], height - 1, train);
    refreshChild(inners_[node], at, height - 1);
    if (!below.happened) {
        return {};
    }
    Split split;
    std::uint32_t target = node;
    int place = at + 1;
    if (inners_[node].count == kFanOut) {
        // Full: the upper half moves to a new node, then the new child goes into its half.
        split = Split{true, newInner()};
        Inner& left = inners_[node];
        Inner& right = inners_[split.node];
        constexpr int kHalf = kFanOut / 2;
        right.count = kFanOut - kHalf;
        std::copy(left.lastError.begin() + kHalf, left.lastError.end(), right.lastError.begin());
        std::copy(left.lastOrder.begin() + kHalf, left.lastOrder.end(), right.lastOrder.begin());
        std::copy(left.child.begin() + kHalf, left.child.end(), right.child.begin());
        left.count = kHalf;
        if (place > kHalf) {
            target = split.node;
            place -= kHalf;
        }
    }
    Inner& inner = inners_[target];
    const auto from = static_cast<std::ptrdiff_t>(place);
    const auto end = static_cast<std::ptrdiff_t>(inner.count);
    std::copy_backward(inner.lastError.begin() + from, inner.lastError.begin() + end,
                       inner.lastError.begin() + end + 1);
    std::copy_backward(inner.lastOrder.begin() + from, inner.lastOrder.begin() + end,
                       inner.lastOrder.begin() + end + 1);
    std::copy_backward(inner.child.begin() + from, inner.child.begin() + end,
                       inner.child.begin() + end + 1);
    inner.child[static_cast<std::size_t>(place)] = below.node;
    ++inner.count;
    refreshChild(inner, place, height - 1);
    return split;
}

RankTree::Split RankTree::insertIntoLeaf(std::uint32_t leaf, const RankedTrain& train) {
    const auto place =
        static_cast<int>(std::upper_bound(leaves_[leaf].trains.begin(),
                                          leaves_[leaf].trains.begin() + leaves_[leaf].count, train,
                                          trainRanksAbove) -
                         leaves_[leaf].trains.begin());
    Split split;
    std::uint32_t target = leaf;
    int at = place;
    if (leaves_[leaf].count == kLeafSize) {
        split = Split{true, newLeaf()};
        Leaf& left = leaves_[leaf];
        Leaf& right = leaves_[split.node];
        constexpr int kHalf = kLeafSize / 2;
        std::copy(left.trains.begin() + kHalf, left.trains.end(), right.trains.begin());
        right.count = kLeafSize - kHalf;
        left.count = kHalf;
        if (at > kHalf) {
            target = split.node;
            at -= kHalf;
        }
    }
    Leaf& into = leaves_[target];
    std::copy_backward(into.trains.begin() + at, into.trains.begin() + into.count,
                       into.trains.begin() + into.count + 1);
    into.trains[static_cast<std::size_t>(at)] = train;
    ++into.count;
    return split;
}

const RankedTrain& RankTree::last() const {
    return lastBelow(root_, height_);
}

const RankedTrain& RankTree::lastBelow(std::uint32_t node, int height) const {
    for (; height > 0; --height) {
        const Inner& inner = inners_[node];
        node = inner.child[static_cast<std::size_t>(inner.count - 1)];
    }
    const Leaf& leaf = leaves_[node];
    return leaf.trains[static_cast<std::size_t>(leaf.count - 1)];
}

void RankTree::eraseLast() {
    if (eraseLastFrom(root_, height_) && height_ > 0) {
        // Everything is gone: start again from an empty leaf.
        freeInners_.push_back(root_);
        root_ = newLeaf();
        height_ = 0;
    }
    // A root with a single child hands over to it, so the tree stays as low as it can.
    while (height_ > 0 && inners_[root_].count == 1) {
        const std::uint32_t child = inners_[root_].child[0];
        freeInners_.push_back(root_);
        root_ = child;
        --height_;
    }
    --size_;
}

bool RankTree::eraseLastFrom(std::uint32_t node, int height) {
    if (height == 0) {
        return --leaves_[node].count == 0;
    }
    // Only the last path loses trains, so every other node stays at least half full.
    Inner& inner = inners_[node];
    const int at = inner.count - 1;
    const std::uint32_t child = inner.child[static_cast<std::size_t>(at)];
    if (eraseLastFrom(child, height - 1)) {
        (height == 1 ? freeLeaves_ : freeInners_).push_back(child);
        return --inner.count == 0;
    }
    refreshChild(inner, at, height - 1);
    return false;
}

void RankTree::refreshChild(Inner& inner, int at, int childHeight) {
    const auto i = static_cast<std::size_t>(at);
    const std::uint32_t child = inner.child[i];
    if (childHeight == 0) {
        const Leaf& leaf = leaves_[child];
        const RankedTrain& last = leaf.trains[static_cast<std::size_t>(leaf.count - 1)];
        inner.lastError[i] = last.absError;
        inner.lastOrder[i] = last.order;
    } else {
        const Inner& below = inners_[child];
        const auto end = static_cast<std::size_t>(below.count - 1);
        inner.lastError[i] = below.lastError[end];
        inner.lastOrder[i] = below.lastOrder[end];
    }
}

const RankedTrain* RankTree::firstAbove(double absError) const {
    std::uint32_t node = root_;
    for (int height = height_; height > 0; --height) {
        const Inner& inner = inners_[node];
        int at = 0;
        while (at < inner.count && !(inner.lastError[static_cast<std::size_t>(at)] > absError)) {
            ++at;
        }
        if (at == inner.count) {
            return nullptr;
        }
        node = inner.child[static_cast<std::size_t>(at)];
    }
    const Leaf& leaf = leaves_[node];
    for (int i = 0; i < leaf.count; ++i) {
        if (leaf.trains[static_cast<std::size_t>(i)].absError > absError) {
            return &leaf.trains[static_cast<std::size_t>(i)];
        }
    }
    return nullptr;
}

std::uint32_t RankTree::newLeaf() {
    return reuseOrAdd(leaves_, freeLeaves_);
}

std::uint32_t RankTree::newInner() {
    return reuseOrAdd(inners_, freeInners_);
}

} // namespace gearsel
