// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/train_fitter.h"

#include <algorithm>
#include <cmath>

namespace gearsel {
namespace {

// Tooth sums of up to four gears: every sum a bound is compared with.
constexpr int kMaxSum = 4 * kMaxTeeth;

bool atMost(double length, double bound) {
    return length <= bound + kLengthTolerance;
}

// The smallest s in [0, last] that passes `test`, last + 1 when none does. `test` must fail
// below some s and pass from there on (or pass on one interval).
template <typename Test> int firstPassing(int last, Test test) {
    int s = 0;
    while (s <= last && !test(s)) {
        ++s;
    }
    return s;
}

// The largest s in [0, last] that passes `test`, -1 when none does.
template <typename Test> int lastPassing(int last, Test test) {
    int s = last;
    while (s >= 0 && !test(s)) {
        --s;
    }
    return s;
}

// The smallest whole number at least n / 2.
int halfRoundedUp(int n) {
    return n / 2 + static_cast<int>(n % 2 > 0);
}

const MachineGeometry& checked(const MachineGeometry& geometry) {
    if (const auto problem = findGeometryProblem(geometry)) {
        throw GeometryRefused(*problem);
    }
    return geometry;
}

} // namespace

// The lengths m * s / 2 grow with s in doubles too (rounding keeps the order), so each rule
// passes on one interval of sums and the scans below find exactly the sums that pass it.
TrainFitter::TrainFitter(const MachineGeometry& geometry, std::span<const std::int16_t> gears)
    : geometry_(checked(geometry)), module_(geometry.module()), stock_(gears) {
    const double m = module_;
    const double d = geometry_.centre;
    const auto length = [m](int s) { return centreDistance(m, s); };
    maxGapSum_ = lastPassing(kMaxSum, [&](int s) { return atMost(length(s), d); });
    minReachSum_ = firstPassing(kMaxSum, [&](int s) { return atMost(d, length(s)); });
    slotMinSum_ = 0;
    slotMaxSum_ = kMaxSum;
    if (geometry_.stud) {
        const StudRange slot = *geometry_.stud;
        slotMinSum_ = firstPassing(kMaxSum, [&](int s) { return atMost(slot.min, length(s)); });
        slotMaxSum_ = lastPassing(kMaxSum, [&](int s) { return atMost(length(s), slot.max); });
    }
    const auto direct = [&](int s) { return atMost(std::fabs(length(s) - d), kDirectMeshSlack); };
    directMinSum_ = firstPassing(kMaxSum, direct);
    directMaxSum_ = lastPassing(kMaxSum, direct);
    maxCoverTeeth_ = kMaxTeeth;
    if (geometry_.maxDiameter) {
        const double cover = *geometry_.maxDiameter;
        maxCoverTeeth_ =
            lastPassing(kMaxTeeth, [&](int z) { return atMost(outsideDiameter(m, z), cover); });
    }
}

std::optional<int> TrainFitter::idlerFor(int z1, int z2) const noexcept {
    // With zi between them, a1 - a2 = m(z1 - z2)/2 whatever zi is, a1 + a2 grows with zi, and
    // a2 = m(zi + z2)/2 must lie in the slot: every rule bounds zi from one side.
    const int gap = z1 > z2 ? z1 - z2 : z2 - z1;
    if (gap > maxGapSum_) {
        return std::nullopt;
    }
    const int low = std::max(halfRoundedUp(minReachSum_ - z1 - z2), slotMinSum_ - z2);
    const int high = std::min(maxCoverTeeth_, slotMaxSum_ - z2);
    return stock_.smallestFree(low, high, z1, z2);
}

PlanePoint TrainFitter::studAt(int sum1, int sum2) const noexcept {
    // S on both circles |IS| = a1 and |OS| = a2: subtracting their equations leaves
    // y = (D² + a2² - a1²) / 2D, and x follows from |OS| = a2. Circles that touch within the
    // slack leave a square a hair below 0: the stud is then on the line of the shafts.
    const double a1 = centreDistance(module_, sum1);
    const double a2 = centreDistance(module_, sum2);
    const double d = geometry_.centre;
    const double y = (d * d + a2 * a2 - a1 * a1) / (2.0 * d);
    return {std::sqrt(std::max(0.0, a2 * a2 - y * y)), y};
}

bool TrainFitter::fits(int z1, int z2, int z3, int z4) const noexcept {
    if (!underCover(z1) || !underCover(z2)) {
        return false;
    }
    if (z3 == 0) {
        return meshesDirectly(z1 + z2) || idlerFor(z1, z2).has_value();
    }
    return underCover(z3) && underCover(z4) && inSlot(z3 + z4) && reaches(z1 + z2, z3 + z4);
}

TrainFitter::SumRange TrainFitter::secondPairSums(int z1, int z2) const noexcept {
    if (!underCover(z1) || !underCover(z2)) {
        return {1, 0};
    }
    // reaches(): |s1 - s2| <= maxGapSum_ and s1 + s2 >= minReachSum_; inSlot() bounds s2 alone.
    const int s1 = z1 + z2;
    return {std::max({s1 - maxGapSum_, minReachSum_ - s1, slotMinSum_}),
            std::min(s1 + maxGapSum_, slotMaxSum_)};
}

TrainFit TrainFitter::fit(const GearTrain& train) const noexcept {
    TrainFit out;
    const bool single = train.z3 == 0;
    const std::array<int, 4> teeth = {train.z1, train.z2, train.z3, train.z4};
    const std::array<GearPlace, 4> places = {GearPlace::Z1, GearPlace::Z2, GearPlace::Z3,
                                             GearPlace::Z4};
    for (std::size_t k = 0; k < (single ? 2U : 4U); ++k) {
        if (!underCover(teeth[k])) {
            out.oversized.add(places[k]);
            out.problems.add(FitProblem::Diameter);
        }
    }
    const int sum1 = train.z1 + train.z2;
    if (single) {
        if (!meshesDirectly(sum1)) {
            out.idler = idlerFor(train.z1, train.z2);
            if (out.idler) {
                out.stud = studAt(train.z1 + *out.idler, *out.idler + train.z2);
            } else {
                out.problems.add(FitProblem::NoIdler);
                out.openLinks.add(Link::InputOutput);
            }
        }
    } else {
        const int sum2 = train.z3 + train.z4;
        if (reaches(sum1, sum2)) {
            out.stud = studAt(sum1, sum2);
        } else {
            out.problems.add(FitProblem::Reach);
            out.openLinks.add(Link::InputStud);
        }
        if (!inSlot(sum2)) {
            out.problems.add(FitProblem::Slot);
            out.openLinks.add(Link::StudOutput);
        }
    }
    out.fits = out.problems.empty();
    return out;
}

} // namespace gearsel
