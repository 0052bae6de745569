// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/machine_geometry.h"

namespace gearsel {
namespace {

// Above 0 and at most the limit; NaN fails both comparisons.
bool positiveInRange(double value) {
    return value > 0.0 && value <= kMaxGeometryValue;
}

} // namespace

std::optional<GeometryProblem> findGeometryProblem(const MachineGeometry& geometry) {
    using Kind = GeometryProblem::Kind;
    if (!positiveInRange(geometry.toothSize.value)) {
        return GeometryProblem{Kind::ModuleOutOfRange, geometry.toothSize.value};
    }
    if (!positiveInRange(geometry.centre)) {
        return GeometryProblem{Kind::CentreOutOfRange, geometry.centre};
    }
    if (geometry.stud) {
        for (double bound : {geometry.stud->min, geometry.stud->max}) {
            if (!(bound >= 0.0 && bound <= kMaxGeometryValue)) {
                return GeometryProblem{Kind::StudOutOfRange, bound};
            }
        }
        if (geometry.stud->min > geometry.stud->max) {
            return GeometryProblem{Kind::StudReversed, geometry.stud->min};
        }
    }
    if (geometry.maxDiameter && !positiveInRange(*geometry.maxDiameter)) {
        return GeometryProblem{Kind::MaxDiameterOutOfRange, *geometry.maxDiameter};
    }
    return std::nullopt;
}

} // namespace gearsel
