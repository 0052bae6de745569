// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the change gears of a machine sit: the size of their teeth, the fixed distance between
// the input and the output shaft, the slot of the quadrant that carries the stud, and the
// cover over them. A machine has a geometry once its module and centre distance are known; the
// slot and the cover are optional and, when unknown, limit nothing.

#include <optional>
#include <stdexcept>
#include <string>

namespace gearsel {

// Lengths of the geometry are compared with this slack in mm, so that a distance worked out
// in doubles still meets a bound it equals on paper.
inline constexpr double kLengthTolerance = 1e-9;
// A single pair meshes directly when its centre distance is within this many mm of the
// machine's centre distance.
inline constexpr double kDirectMeshSlack = 0.01;
// The largest length (mm) or diametral pitch the geometry accepts: a kilometre keeps every
// square the stud's position takes well inside a double.
inline constexpr double kMaxGeometryValue = 1e6;

// The size of the change gears' teeth as the machine's owner states it.
struct ToothSize {
    enum class Unit {
        Module,         // module m in mm
        DiametralPitch, // teeth per inch of pitch diameter: m = 25.4 / DP
    };
    Unit unit = Unit::Module;
    double value = 0.0;

    // The module in mm.
    double module() const { return unit == Unit::Module ? value : 25.4 / value; }
    friend bool operator==(const ToothSize&, const ToothSize&) = default;
};

// The distances in mm from the output shaft at which the quadrant's slot can hold the stud.
struct StudRange {
    double min = 0.0;
    double max = 0.0;
    friend bool operator==(const StudRange&, const StudRange&) = default;
};

struct MachineGeometry {
    ToothSize toothSize;
    double centre = 0.0;               // D: input shaft to output shaft, mm
    std::optional<StudRange> stud;     // Rmin..Rmax; any distance when unknown
    std::optional<double> maxDiameter; // the largest outside diameter under the cover, mm

    double module() const { return toothSize.module(); }
    friend bool operator==(const MachineGeometry&, const MachineGeometry&) = default;
};

// A pair of gears whose tooth counts add up to `toothSum` meshes at m * toothSum / 2 mm.
inline double centreDistance(double module, int toothSum) {
    return module * static_cast<double>(toothSum) / 2.0;
}

// The outside diameter m * (z + 2) of a gear of `teeth` teeth.
inline double outsideDiameter(double module, int teeth) {
    return module * static_cast<double>(teeth + 2);
}

// Why a geometry cannot be used. Each surface words it in its own language.
struct GeometryProblem {
    enum class Kind {
        ModuleOutOfRange,      // the module or diametral pitch is not above 0 and at most the limit
        CentreOutOfRange,      // likewise the centre distance
        StudOutOfRange,        // a stud bound is below 0, above the limit or not a number
        StudReversed,          // the slot's smallest distance exceeds its largest
        MaxDiameterOutOfRange, // the cover's diameter is not above 0 and at most the limit
    };
    Kind kind;
    double value = 0.0; // the offending number; the smallest distance for StudReversed
};

// Why the geometry cannot be used, or nothing when it can.
std::optional<GeometryProblem> findGeometryProblem(const MachineGeometry& geometry);

// What the fit of trains throws for a geometry that findGeometryProblem() refuses. The surfaces
// word the problem (present/search_problem_text.h); what() only names the exception for a log.
class GeometryRefused : public std::invalid_argument {
public:
    explicit GeometryRefused(const GeometryProblem& problem)
        : std::invalid_argument("machine geometry refused"), problem_(problem) {}
    const GeometryProblem& problem() const noexcept { return problem_; }

private:
    GeometryProblem problem_;
};

} // namespace gearsel
