// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/machine_geometry.h"

#include <charconv>

namespace gearsel {
namespace {

// Above 0 and at most the limit; NaN fails both comparisons.
bool positiveInRange(double value) {
    return value > 0.0 && value <= kMaxGeometryValue;
}

// The shortest text that reads back to the same double.
std::string numberText(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return {text, end};
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

std::string describeGeometryProblem(const GeometryProblem& problem) {
    const std::string value = numberText(problem.value);
    const std::string limit = " must be above 0 and at most 1000000, not ";
    switch (problem.kind) {
    case GeometryProblem::Kind::ModuleOutOfRange:
        return "the module or diametral pitch" + limit + value;
    case GeometryProblem::Kind::CentreOutOfRange:
        return "the centre distance" + limit + value;
    case GeometryProblem::Kind::StudOutOfRange:
        return "a stud distance must be between 0 and 1000000 mm, not " + value;
    case GeometryProblem::Kind::StudReversed:
        return "the stud's smallest distance " + value + " exceeds its largest";
    case GeometryProblem::Kind::MaxDiameterOutOfRange:
        return "the largest outside diameter" + limit + value;
    }
    return "the machine's geometry cannot be used";
}

} // namespace gearsel
