// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/machine_constants.h"

#include "engine/pitch_notation.h"
#include "engine/quantity_text.h"

namespace gearsel {

namespace {

// The number a key other than the leadscrew stands for, in constant or changeable constants.
template <typename Constants> auto& numberOf(Constants& constants, ConstantKey key) {
    switch (key) {
    case ConstantKey::GearboxRatio:
        return constants.gearboxRatio;
    case ConstantKey::IndexConstant:
        return constants.indexConstant;
    case ConstantKey::DifferentialConstant:
        return constants.differentialConstant;
    case ConstantKey::HeadRatio:
    case ConstantKey::Leadscrew:
        break;
    }
    return constants.headRatio;
}

ValueRefused refused(ValueProblem::Kind kind, ConstantKey key) {
    ValueProblem problem{kind};
    problem.input = constantInput(key);
    return ValueRefused(std::move(problem));
}

void checkOne(const MachineConstants& constants, ConstantKey key) {
    double value = 0.0;
    if (key == ConstantKey::Leadscrew) {
        if (!constants.leadscrew) {
            return;
        }
        const PitchUnit unit = constants.leadscrew->unit;
        if (unit == PitchUnit::Module || unit == PitchUnit::DiametralPitch) {
            throw refused(ValueProblem::Kind::LeadscrewUnit, key);
        }
        value = constants.leadscrew->amount.value();
    } else {
        const auto& number = numberOf(constants, key);
        if (!number) {
            return;
        }
        value = number->value();
    }
    if (!(value > 0.0)) {
        throw refused(ValueProblem::Kind::NotPositive, key);
    }
}

} // namespace

const char* constantName(ConstantKey key) {
    switch (key) {
    case ConstantKey::Leadscrew:
        return "leadscrew";
    case ConstantKey::GearboxRatio:
        return "gearbox";
    case ConstantKey::IndexConstant:
        return "k";
    case ConstantKey::DifferentialConstant:
        return "c";
    case ConstantKey::HeadRatio:
        break;
    }
    return "n";
}

ValueInput constantInput(ConstantKey key) {
    switch (key) {
    case ConstantKey::Leadscrew:
        return ValueInput::Leadscrew;
    case ConstantKey::GearboxRatio:
        return ValueInput::GearboxRatio;
    case ConstantKey::IndexConstant:
        return ValueInput::IndexConstant;
    case ConstantKey::DifferentialConstant:
        return ValueInput::DifferentialConstant;
    case ConstantKey::HeadRatio:
        break;
    }
    return ValueInput::HeadRatio;
}

std::optional<std::string> constantText(const MachineConstants& constants, ConstantKey key) {
    if (key == ConstantKey::Leadscrew) {
        return constants.leadscrew ? std::optional(pitchText(*constants.leadscrew)) : std::nullopt;
    }
    const auto& number = numberOf(constants, key);
    return number ? std::optional(quantityText(*number)) : std::nullopt;
}

std::optional<Quantity> constantNumber(const MachineConstants& constants, ConstantKey key) {
    return key == ConstantKey::Leadscrew ? std::nullopt : numberOf(constants, key);
}

void setConstantText(MachineConstants& constants, ConstantKey key, std::string_view text) {
    MachineConstants one;
    try {
        if (key == ConstantKey::Leadscrew) {
            one.leadscrew = readPitch(text);
        } else {
            numberOf(one, key) = readQuantity(text);
        }
    } catch (const ValueRefused& e) {
        throw e.as(constantInput(key));
    }
    checkOne(one, key);
    constants = overridden(constants, one);
}

void clearConstant(MachineConstants& constants, ConstantKey key) {
    if (key == ConstantKey::Leadscrew) {
        constants.leadscrew.reset();
    } else {
        numberOf(constants, key).reset();
    }
}

bool noConstants(const MachineConstants& constants) {
    return !constants.leadscrew && !constants.gearboxRatio && !constants.indexConstant &&
           !constants.differentialConstant && !constants.headRatio;
}

MachineConstants overridden(const MachineConstants& kept, const MachineConstants& given) {
    MachineConstants result = kept;
    if (given.leadscrew) {
        result.leadscrew = given.leadscrew;
    }
    for (const ConstantKey key : kConstantKeys) {
        if (key != ConstantKey::Leadscrew) {
            if (const auto& number = numberOf(given, key)) {
                numberOf(result, key) = number;
            }
        }
    }
    return result;
}

void checkMachineConstants(const MachineConstants& constants) {
    for (const ConstantKey key : kConstantKeys) {
        checkOne(constants, key);
    }
}

} // namespace gearsel
