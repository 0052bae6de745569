// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/limit_guess.h"

#include "engine/gear_train.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace gearsel {

namespace {

// The smallest errors of a sample of first pairs (every stride-th, with a jitter, so that no
// column of first pairs is left out), largest first.
class ErrorSample {
public:
    ErrorSample(const TrainWindow& window, const GearStock& stock, const SearchRequest& request,
                std::size_t stride, std::size_t samples)
        : window_(window), stock_(stock), request_(request), stride_(stride), samples_(samples) {}

    // At most `wanted` errors below `start`, of trains that lead their arrangements.
    std::vector<double> smallest(std::size_t wanted, double start) const;

private:
    // Whether the train is the first of its arrangements (pairs, drivers or driven gears
    // exchanged) that both assembly conditions allow. The list holds one train of the
    // arrangements that tie, so only the first counts.
    bool leads(int z1, int z2, int z3, int z4) const;
    // Whether the stock holds the train; always where it restricts nothing.
    bool held(int z1, int z2, int z3, int z4) const {
        return !stock_.restricts() || stock_.admitsTwoPair(z1, z2, z3, z4);
    }

    const TrainWindow& window_;
    const GearStock& stock_;
    const SearchRequest& request_;
    std::size_t stride_;
    std::size_t samples_;
};

std::vector<double> ErrorSample::smallest(std::size_t wanted, double start) const {
    std::vector<double> best;
    const auto bound = [&] { return best.size() < wanted ? start : best.front(); };
    const auto note = [&](double error) {
        if (error < bound()) {
            best.push_back(error);
            std::push_heap(best.begin(), best.end());
            if (best.size() > wanted) {
                std::pop_heap(best.begin(), best.end());
                best.pop_back();
            }
        }
    };
    const double required = request_.requiredRatio;
    const bool repeats = request_.allowRepeats;
    const auto n = static_cast<std::size_t>(window_.size());
    for (std::size_t k = 0; k < samples_; ++k) {
        const std::size_t at = k * stride_ + k * 7 % stride_;
        const int a = static_cast<int>(at / n);
        const int b = static_cast<int>(at % n);
        const int z1 = window_.teeth(a);
        const int z2 = window_.teeth(b);
        const double r12 = static_cast<double>(z1) / static_cast<double>(z2);
        if (request_.includeSinglePairs && (z1 != z2 || repeats) &&
            (!stock_.restricts() || stock_.admitsSinglePair(z1, z2))) {
            note(std::fabs(r12 - required));
        }
        const int z3End = window_.z3End(z1, z2);
        if ((z1 == z2 && !repeats) || z3End == 0) {
            continue;
        }
        const auto consider = [&](int z3, int z4) {
            if (z3 + z4 <= z2 + request_.zn) {
                return;
            }
            // The window reaches a little beyond the bound; the stock and the arrangements
            // cost more than the error, so they are asked last.
            const double error =
                std::fabs((static_cast<double>(z3) * r12) / static_cast<double>(z4) - required);
            if (error < bound() && (repeats || !hasRepeat(z1, z2, z3, z4)) &&
                held(z1, z2, z3, z4) && leads(z1, z2, z3, z4)) {
                note(error);
            }
        };
        if (request_.lastDriven) {
            const int z4 = *request_.lastDriven;
            const auto [from, to] = window_.z3Run(r12, z4, z3End, bound());
            for (int c = from; c < to; ++c) {
                consider(window_.teeth(c), z4);
            }
            continue;
        }
        for (const PairRatioIndex::Pair pair : window_.pairsNear(a, b, z3End, bound())) {
            if (pair.driver < z3End) {
                consider(window_.teeth(pair.driver), window_.teeth(pair.driven));
            }
        }
    }
    return best;
}

bool ErrorSample::leads(int z1, int z2, int z3, int z4) const {
    const int zn = request_.zn;
    const auto before = [&](int y1, int y2, int y3, int y4) {
        return std::tie(y1, y2, y3, y4) < std::tie(z1, z2, z3, z4) && y3 + zn < y1 + y2 &&
               y2 + zn < y3 + y4 && held(y1, y2, y3, y4);
    };
    return !before(z3, z4, z1, z2) && !before(z3, z2, z1, z4) && !before(z1, z4, z3, z2);
}

} // namespace

LimitGuess guessFinalLimit(const TrainWindow& window, const GearStock& stock,
                           const SearchRequest& request, int sampleTrains, int sampleFirstPairs) {
    const auto firstPairs =
        static_cast<std::size_t>(window.size()) * static_cast<std::size_t>(window.size());
    const auto count = static_cast<std::size_t>(request.resultCount);
    if (firstPairs == 0 || count == 0) {
        return {};
    }
    const std::size_t wantedPairs =
        std::max(firstPairs * static_cast<std::size_t>(std::max(sampleTrains, 1)) / count,
                 static_cast<std::size_t>(std::max(sampleFirstPairs, 1)));
    const std::size_t stride = std::max<std::size_t>(1, firstPairs / wantedPairs);
    const std::size_t samples = firstPairs / stride;
    // The sample's share of the trains that fill the list.
    const auto wanted = static_cast<std::size_t>(
        std::ceil(static_cast<double>(count) * static_cast<double>(samples) /
                  static_cast<double>(firstPairs)));
    const ErrorSample sample(window, stock, request, stride, samples);
    // The bound starts small, as a wide one would have the first first pairs visit nearly all
    // their trains, and grows only where the sample found too few below it.
    double start = std::max(std::fabs(request.requiredRatio) * 0x1p-12, 0x1p-30);
    for (;;) {
        const std::vector<double> best = sample.smallest(wanted, start);
        if (best.size() == wanted) {
            return LimitGuess{best.front(), wanted};
        }
        // Where the sample found some, their density tells how far to go. A pass with the
        // bound at 1.0 would look at nearly every train, as a search without a cap does, for a
        // cap so wide that it would save little: there is no guess then.
        const double found = static_cast<double>(best.size());
        start = found >= 8 ? start * 2.0 * static_cast<double>(wanted) / found : start * 64.0;
        if (start >= 1.0) {
            return {};
        }
    }
}

} // namespace gearsel
