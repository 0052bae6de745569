// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ratio_formula.h"

#include "engine/value_problem.h"

#include <cmath>
#include <numbers>

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

ValueRefused refused(ValueProblem::Kind kind, ValueInput input) {
    ValueProblem problem{kind};
    problem.input = input;
    return ValueRefused(std::move(problem));
}

void requirePositive(const Quantity& q, ValueInput input) {
    if (!(q.value() > 0.0)) {
        throw refused(ValueProblem::Kind::NotPositive, input);
    }
}

void requireAtLeastOne(int count, ValueInput input) {
    if (count < 1) {
        ValueProblem problem{ValueProblem::Kind::BelowOne};
        problem.input = input;
        problem.count = count;
        throw ValueRefused(std::move(problem));
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
    requirePositive(pitch.amount, ValueInput::Pitch);
    requireAtLeastOne(starts, ValueInput::Starts);
    requirePositive(leadscrew.amount, ValueInput::Leadscrew);
    if (leadscrew.unit == PitchUnit::Module || leadscrew.unit == PitchUnit::DiametralPitch) {
        throw refused(ValueProblem::Kind::LeadscrewUnit, ValueInput::Leadscrew);
    }
    requirePositive(gearboxRatio, ValueInput::GearboxRatio);
    const Length lead = lengthOf(pitch);
    const Quantity ratio = lead.coefficient.times(Quantity::whole(starts))
                               .dividedBy(lengthOf(leadscrew).coefficient.times(gearboxRatio));
    return withPi(ratio, lead.timesPi);
}

Quantity hobIndexRatio(const Quantity& indexConstant, int hobStarts, int teeth) {
    requirePositive(indexConstant, ValueInput::IndexConstant);
    requireAtLeastOne(hobStarts, ValueInput::HobStarts);
    requireAtLeastOne(teeth, ValueInput::Teeth);
    return indexConstant.times(Quantity::whole(hobStarts)).dividedBy(Quantity::whole(teeth));
}

Quantity hobDifferentialRatio(const Quantity& differentialConstant, const Quantity& helixDegrees,
                              const Quantity& normalModule, int hobStarts) {
    requirePositive(differentialConstant, ValueInput::DifferentialConstant);
    if (!(helixDegrees.value() > 0.0 && helixDegrees.value() < 90.0)) {
        throw refused(ValueProblem::Kind::HelixOutOfRange, ValueInput::Helix);
    }
    requirePositive(normalModule, ValueInput::NormalModule);
    requireAtLeastOne(hobStarts, ValueInput::HobStarts);
    // sin 30° = 1/2 is the only rational sine of a whole or fractional degree strictly
    // between 0 and 90, so it is the only angle that keeps the ratio exact.
    const Quantity sine = helixDegrees.fraction() == Fraction(30, 1)
                              ? Quantity(Fraction(1, 2))
                              : Quantity(std::sin(helixDegrees.value() * std::numbers::pi / 180.0));
    return differentialConstant.times(sine).dividedBy(
        normalModule.times(Quantity::whole(hobStarts)));
}

Quantity dividingHeadRatio(const Quantity& headRatio, int divisions, int approxDivisions) {
    requirePositive(headRatio, ValueInput::HeadRatio);
    requireAtLeastOne(divisions, ValueInput::Divisions);
    requireAtLeastOne(approxDivisions, ValueInput::ApproxDivisions);
    if (approxDivisions == divisions) {
        throw refused(ValueProblem::Kind::SameDivisions, ValueInput::ApproxDivisions);
    }
    const Quantity approx = Quantity::whole(approxDivisions);
    return headRatio.times(approx.minus(Quantity::whole(divisions))).dividedBy(approx);
}

} // namespace gearsel
