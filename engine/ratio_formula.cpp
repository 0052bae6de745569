// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ratio_formula.h"

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace gearsel {

namespace {

// A length in mm as coefficient x π^(timesPi ? 1 : 0), so that the coefficient stays exact and
// π enters only at the end.
struct Length {
    Quantity coefficient;
    bool timesPi = false;
};

// 25.4 mm to the inch, exactly.
const Fraction kInch(127, 5);

void requirePositive(const Quantity& q, const std::string& what) {
    if (!(q.value() > 0.0)) {
        throw std::invalid_argument(what + " must be above 0");
    }
}

void requireAtLeastOne(int count, const std::string& what) {
    if (count < 1) {
        throw std::invalid_argument(what + " must be at least 1, not " + std::to_string(count));
    }
}

Length lengthOf(const Pitch& pitch) {
    switch (pitch.unit) {
    case PitchUnit::ThreadsPerInch:
        return {Quantity(kInch).dividedBy(pitch.amount), false};
    case PitchUnit::Module:
        return {pitch.amount, true};
    case PitchUnit::DiametralPitch:
        return {Quantity(kInch).dividedBy(pitch.amount), true};
    case PitchUnit::Millimetre:
        break;
    }
    return {pitch.amount, false};
}

Quantity withPi(const Quantity& coefficient, bool timesPi) {
    return timesPi ? Quantity(coefficient.value() * std::numbers::pi) : coefficient;
}

} // namespace

Quantity threadRatio(const Pitch& pitch, int starts, const Pitch& leadscrew,
                     const Quantity& gearboxRatio) {
    requirePositive(pitch.amount, "the pitch");
    requireAtLeastOne(starts, "the number of starts");
    requirePositive(leadscrew.amount, "the leadscrew pitch");
    if (leadscrew.unit == PitchUnit::Module || leadscrew.unit == PitchUnit::DiametralPitch) {
        throw std::invalid_argument("the leadscrew pitch must be given in mm or tpi");
    }
    requirePositive(gearboxRatio, "the gearbox ratio");
    const Length lead = lengthOf(pitch);
    const Quantity ratio = lead.coefficient.times(Quantity::whole(starts))
                               .dividedBy(lengthOf(leadscrew).coefficient.times(gearboxRatio));
    return withPi(ratio, lead.timesPi);
}

Quantity hobIndexRatio(const Quantity& indexConstant, int hobStarts, int teeth) {
    requirePositive(indexConstant, "the index constant");
    requireAtLeastOne(hobStarts, "the number of hob starts");
    requireAtLeastOne(teeth, "the workpiece tooth count");
    return indexConstant.times(Quantity::whole(hobStarts)).dividedBy(Quantity::whole(teeth));
}

Quantity hobDifferentialRatio(const Quantity& differentialConstant, const Quantity& helixDegrees,
                              const Quantity& normalModule, int hobStarts) {
    requirePositive(differentialConstant, "the differential constant");
    if (!(helixDegrees.value() > 0.0 && helixDegrees.value() < 90.0)) {
        throw std::invalid_argument("the helix angle must lie between 0 and 90 degrees");
    }
    requirePositive(normalModule, "the normal module");
    requireAtLeastOne(hobStarts, "the number of hob starts");
    // sin 30° = 1/2 is the only rational sine of a whole or fractional degree strictly
    // between 0 and 90, so it is the only angle that keeps the ratio exact.
    const Quantity sine = helixDegrees.fraction() == Fraction(30, 1)
                              ? Quantity(Fraction(1, 2))
                              : Quantity(std::sin(helixDegrees.value() * std::numbers::pi / 180.0));
    return differentialConstant.times(sine).dividedBy(
        normalModule.times(Quantity::whole(hobStarts)));
}

Quantity dividingHeadRatio(const Quantity& headRatio, int divisions, int approxDivisions) {
    requirePositive(headRatio, "the dividing head's worm ratio");
    requireAtLeastOne(divisions, "the number of divisions");
    requireAtLeastOne(approxDivisions, "the approximate number of divisions");
    if (approxDivisions == divisions) {
        throw std::invalid_argument(
            "the approximate number of divisions must differ from the divisions wanted");
    }
    const Quantity approx = Quantity::whole(approxDivisions);
    return headRatio.times(approx.minus(Quantity::whole(divisions))).dividedBy(approx);
}

} // namespace gearsel
