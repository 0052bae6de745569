// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/train_window.h"

#include <algorithm>
#include <cmath>

namespace gearsel {

namespace {

// Relative widening of every bound computed from rounded values: far above the few units of
// 2^-53 that the roundings involved can add up to, far below any gap that matters.
constexpr double kMargin = 0x1p-40;

std::vector<int> distinctValues(std::span<const std::int16_t> sortedGears) {
    std::vector<int> values(sortedGears.begin(), sortedGears.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

} // namespace

TrainWindow::TrainWindow(std::span<const std::int16_t> sortedGears, double requiredRatio, int zn)
    : required_(requiredRatio), zn_(zn), values_(distinctValues(sortedGears)), index_(values_) {
    counts_.assign(values_.size(), 0);
    std::size_t at = 0;
    for (std::int16_t teeth : sortedGears) {
        while (values_[at] != teeth) {
            ++at;
        }
        ++counts_[at];
    }
    for (int teeth = 0, i = 0; teeth <= kMaxTeeth + 1; ++teeth) {
        while (i < size() && values_[static_cast<std::size_t>(i)] < teeth) {
            ++i;
        }
        firstIndex_[static_cast<std::size_t>(teeth)] = i;
    }
    for (const int teeth : values_) {
        inverse_[static_cast<std::size_t>(teeth)] = 1.0 / teeth;
    }
}

int TrainWindow::firstAtLeast(int teeth) const {
    return firstIndex_[static_cast<std::size_t>(std::clamp(teeth, 0, kMaxTeeth + 1))];
}

int TrainWindow::firstAbove(double teeth) const {
    // Clamped before the conversion, which is undefined beyond int (an infinite bound comes
    // from a tiny ratio band); on values that are not negative truncation is the floor.
    const int whole = static_cast<int>(std::clamp(teeth, 0.0, static_cast<double>(kMaxTeeth)));
    return firstAtLeast(whole + 1);
}

bool TrainWindow::ratioBand(double bound, double& low, double& high) const {
    // A candidate within the bound has |ratio - required| < bound exactly: its error is that
    // difference rounded, rounding is monotone and bound is a double. A slack of kMargin
    // relative to |required| + bound covers the rounding of the two sums here many times over.
    const double slack = (std::fabs(required_) + bound) * kMargin;
    high = required_ + bound + slack;
    low = required_ - bound - slack;
    return high > 0.0;
}

double TrainWindow::spread(double error) const {
    // Each computed ratio is within three roundings of the exact one and each error within one
    // more of its ratio's distance: two errors of one exact ratio lie at most 8 units of 2^-53
    // of |required| + error apart. This allows a thousand times that.
    return (std::fabs(required_) + error) * kMargin;
}

std::span<const PairRatioIndex::Pair> TrainWindow::pairsNear(int a, int b, int z3End,
                                                             double bound) const {
    double lowRatio = 0.0;
    double highRatio = 0.0;
    if (!ratioBand(bound, lowRatio, highRatio)) {
        return {};
    }
    // No pair that both assembly conditions allow has a larger ratio than the largest allowed
    // z3 over the smallest z4 allowed with it: a smaller z3 only raises the smallest z4. This
    // closes the window of the first pairs whose trains all fall short of the required ratio.
    const int z2 = teeth(b);
    const int topZ3 = teeth(z3End - 1);
    const int smallestZ4 = firstAtLeast(z2 + zn_ - topZ3 + 1);
    if (smallestZ4 == size()) {
        return {};
    }
    // The candidate's ratio is ((z3 / z4) * (z1 / z2)) within three roundings, the index
    // rounds z3 / z4 once more, and products with reciprocals stand in for divisions here at
    // a rounding or two each: kMargin covers them all.
    const auto inverse = [&](int at) { return inverse_[static_cast<std::size_t>(teeth(at))]; };
    const double largest = topZ3 * inverse(smallestZ4) * (1.0 + kMargin);
    const double perR12 = z2 * inverse(a);
    const double high = std::min(highRatio * perR12 * (1.0 + kMargin), largest);
    const double low = lowRatio > 0.0 ? lowRatio * perR12 * (1.0 - kMargin) : 0.0;
    return index_.near(low, high);
}

std::pair<int, int> TrainWindow::z4Run(int z2, int z3, double p, double bound) const {
    double lowRatio = 0.0;
    double highRatio = 0.0;
    if (!ratioBand(bound, lowRatio, highRatio)) {
        return {0, 0};
    }
    // p / z4 never increases with z4 (rounding is monotone), so the z4 within the bound form
    // one run: above p / highRatio and below p / lowRatio, widened for the rounding of p / z4
    // and of these bounds.
    const int from =
        std::max(firstAtLeast(z2 + zn_ - z3 + 1), firstAbove(p / highRatio * (1.0 - kMargin)));
    const int to = lowRatio > 0.0 ? firstAbove(p / lowRatio * (1.0 + kMargin)) : size();
    return {from, std::max(from, to)};
}

std::pair<int, int> TrainWindow::z3Run(double r12, int z4, int z3End, double bound) const {
    // ratio = (z3 x r12) / z4 lies within the bound only for z3 between (required -+ bound)
    // x z4 / r12. The ratio and its error are each a few roundings off, by no more than a few
    // units of 2^-53 of |required| + bound: a slack a million times that widens the run, and
    // as much again covers the roundings of the run's ends.
    constexpr double kRunMargin = 1e-9;
    const double slack = (std::fabs(required_) + bound) * kRunMargin;
    const double low = (required_ - bound - slack) * z4 / r12 * (1.0 - kRunMargin);
    const double high = (required_ + bound + slack) * z4 / r12 * (1.0 + kRunMargin);
    if (!(high > 0.0)) {
        return {0, 0};
    }
    const auto teeth = [](double value) {
        return static_cast<int>(std::clamp(value, 0.0, static_cast<double>(kMaxTeeth + 1)));
    };
    const int from = low > 0.0 ? firstAtLeast(teeth(std::floor(low))) : 0;
    return {from, std::max(from, std::min(z3End, firstAtLeast(teeth(std::ceil(high)) + 1)))};
}

} // namespace gearsel
