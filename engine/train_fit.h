// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a gear train can be mounted on a machine, and where: the answer for one train, with
// what fails named for the reader and marked for the picture.

#include "engine/flag_set.h"

#include <array>
#include <optional>

namespace gearsel {

// The rules a train can break, in the order they are reported.
enum class FitProblem {
    Reach,    // the two centre distances cannot meet: |a1 - a2| <= D <= a1 + a2 fails
    Slot,     // the stud's distance a2 from the output shaft lies outside the quadrant's slot
    Diameter, // a gear's outside diameter exceeds the cover's
    NoIdler,  // a single pair does not mesh directly and no gear of the set can sit between
};

inline constexpr std::array<FitProblem, 4> kFitProblems = {
    FitProblem::Reach, FitProblem::Slot, FitProblem::Diameter, FitProblem::NoIdler};

// The problem's name in JSON: "reach", "slot", "diameter", "no-idler".
const char* fitProblemName(FitProblem problem);

// Where a gear sits: z1 on the input shaft, z2 and z3 on the stud, z4 on the output shaft; a
// single pair's z2 sits on the output shaft and its idler on the stud.
enum class GearPlace { Z1, Z2, Z3, Z4, Idler };

// The centre distances a train has to close.
enum class Link {
    InputStud,   // a1, from the input shaft to the stud
    StudOutput,  // a2, from the stud to the output shaft
    InputOutput, // D, a single pair without a stud
};

// A point in mm with the output shaft at (0, 0) and the input shaft at (0, D).
struct PlanePoint {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const PlanePoint&, const PlanePoint&) = default;
};

struct TrainFit {
    bool fits = false;
    // The stud's centre, on the side x >= 0, wherever the train's centre distances meet; nothing
    // when they cannot meet and for a single pair meshing directly.
    std::optional<PlanePoint> stud;
    // The smallest tooth count of the set that lets a single pair mesh through the stud; given
    // also when a gear of the pair itself is wider than the cover.
    std::optional<int> idler;
    FlagSet<FitProblem> problems;
    FlagSet<GearPlace> oversized; // gears wider than the cover
    // Centre distances that do not close: a1 when the stud cannot reach (the stud is then
    // thought of where z3 meets z4), a2 outside the slot, D of a pair that has no idler.
    FlagSet<Link> openLinks;

    // An idler turns the output the other way round than the pair alone would.
    bool reversesDirection() const { return idler.has_value(); }
};

} // namespace gearsel
