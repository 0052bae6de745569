// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether trains can be mounted on one machine from one gear set. The rules of the geometry
// depend on a train only through its tooth counts and their sums, so they are turned once, when
// the fitter is made, into bounds on those sums; each train is then checked with a handful of
// integer comparisons and no allocation. The search asks fits() of every candidate; a listing
// asks fit() of every train it shows.
//
// The rules, with the output shaft O at (0, 0), the input shaft I at (0, D) and lengths compared
// with a slack of kLengthTolerance:
// - two pairs z1/z2 x z3/z4 put z2 and z3 on the stud S with |IS| = a1 = m(z1 + z2)/2 and
//   |OS| = a2 = m(z3 + z4)/2; they fit when |a1 - a2| <= D <= a1 + a2 (reach), the slot holds a2
//   (slot) and no gear's outside diameter m(z + 2) exceeds the cover's (diameter);
// - a single pair z1/z2 fits directly when m(z1 + z2)/2 lies within kDirectMeshSlack of D,
//   otherwise through the smallest idler zi of the set that the pair does not use itself and
//   that meets the three rules with a1 = m(z1 + zi)/2 and a2 = m(zi + z2)/2 (no-idler when
//   none does); both gears of the pair must pass the diameter rule in either case.
//
// A machine without a module and a centre distance has no geometry: no fitter is made for it,
// and whether a train fits is unknown.

#include "engine/gear_train.h"
#include "engine/idler_stock.h"
#include "engine/machine_geometry.h"
#include "engine/train_fit.h"

#include <cstdint>
#include <span>

namespace gearsel {

class TrainFitter {
public:
    // Throws GeometryRefused for a geometry that findGeometryProblem() refuses, and
    // std::invalid_argument for a gear outside kMinTeeth..kMaxTeeth.
    TrainFitter(const MachineGeometry& geometry, std::span<const std::int16_t> gears);

    // Whether the train fits: fit(train).fits, without working out where. Tooth counts must lie
    // within kMinTeeth..kMaxTeeth; a single pair has z3 = z4 = 0.
    bool fits(int z1, int z2, int z3, int z4) const noexcept;
    bool fits(const GearTrain& train) const noexcept {
        return fits(train.z1, train.z2, train.z3, train.z4);
    }

    // Whether the train fits, where its stud goes, its idler and what fails.
    TrainFit fit(const GearTrain& train) const noexcept;

    // The tooth sums z3 + z4 with which z1/z2 can be the first pair of a two-pair train that
    // fits, as [low, high] (empty where low > high); z3 and z4 must each pass the cover too.
    struct SumRange {
        int low;
        int high;
    };
    SumRange secondPairSums(int z1, int z2) const noexcept;
    // The tooth sums z3 + z4 that the slot holds, whatever the first pair.
    SumRange slotSums() const noexcept { return {slotMinSum_, slotMaxSum_}; }
    // The largest tooth count whose gear passes under the cover.
    int largestUnderCover() const noexcept { return maxCoverTeeth_; }

    const MachineGeometry& geometry() const noexcept { return geometry_; }

private:
    bool reaches(int sum1, int sum2) const noexcept {
        const int gap = sum1 > sum2 ? sum1 - sum2 : sum2 - sum1;
        return gap <= maxGapSum_ && sum1 + sum2 >= minReachSum_;
    }
    bool inSlot(int sum2) const noexcept { return sum2 >= slotMinSum_ && sum2 <= slotMaxSum_; }
    bool underCover(int teeth) const noexcept { return teeth <= maxCoverTeeth_; }
    bool meshesDirectly(int sum) const noexcept {
        return sum >= directMinSum_ && sum <= directMaxSum_;
    }
    std::optional<int> idlerFor(int z1, int z2) const noexcept;
    PlanePoint studAt(int sum1, int sum2) const noexcept;

    MachineGeometry geometry_;
    double module_;
    IdlerStock stock_;
    // The bounds, each a tooth sum s standing for the length m * s / 2:
    int maxGapSum_;     // the largest |s1 - s2| with |a1 - a2| <= D
    int minReachSum_;   // the smallest s1 + s2 with D <= a1 + a2
    int slotMinSum_;    // the smallest s2 the slot holds
    int slotMaxSum_;    // the largest
    int directMinSum_;  // the smallest z1 + z2 that meshes directly
    int directMaxSum_;  // the largest; below directMinSum_ when none does
    int maxCoverTeeth_; // the largest tooth count under the cover
};

} // namespace gearsel
