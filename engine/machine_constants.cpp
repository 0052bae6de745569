// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/machine_constants.h"

#include "engine/pitch_notation.h"
#include "engine/quantity_text.h"

#include <stdexcept>

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

// What the formulas call the constant in their messages.
std::string meaning(ConstantKey key) {
    switch (key) {
    case ConstantKey::Leadscrew:
        return "the leadscrew pitch";
    case ConstantKey::GearboxRatio:
        return "the gearbox ratio";
    case ConstantKey::IndexConstant:
        return "the index constant";
    case ConstantKey::DifferentialConstant:
        return "the differential constant";
    case ConstantKey::HeadRatio:
        break;
    }
    return "the dividing head's worm ratio";
}

void checkOne(const MachineConstants& constants, ConstantKey key) {
    double value = 0.0;
    if (key == ConstantKey::Leadscrew) {
        if (!constants.leadscrew) {
            return;
        }
        const PitchUnit unit = constants.leadscrew->unit;
        if (unit == PitchUnit::Module || unit == PitchUnit::DiametralPitch) {
            throw std::invalid_argument("the leadscrew pitch must be given in mm or tpi");
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
        throw std::invalid_argument(meaning(key) + " must be above 0");
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

const char* constantLabel(ConstantKey key) {
    switch (key) {
    case ConstantKey::Leadscrew:
        return "丝杠螺距";
    case ConstantKey::GearboxRatio:
        return "进给箱速比";
    case ConstantKey::IndexConstant:
        return "分度常数 K";
    case ConstantKey::DifferentialConstant:
        return "差动常数 C";
    case ConstantKey::HeadRatio:
        break;
    }
    return "分度头定数 N";
}

std::optional<std::string> constantText(const MachineConstants& constants, ConstantKey key) {
    if (key == ConstantKey::Leadscrew) {
        return constants.leadscrew ? std::optional(pitchText(*constants.leadscrew)) : std::nullopt;
    }
    const auto& number = numberOf(constants, key);
    return number ? std::optional(quantityText(*number)) : std::nullopt;
}

void setConstantText(MachineConstants& constants, ConstantKey key, std::string_view text) {
    MachineConstants one;
    try {
        if (key == ConstantKey::Leadscrew) {
            one.leadscrew = readPitch(text);
        } else {
            numberOf(one, key) = readQuantity(text);
        }
    } catch (const std::invalid_argument& e) {
        throw std::invalid_argument(meaning(key) + " " + e.what());
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

std::string constantsSummary(const MachineConstants& constants) {
    std::string line;
    for (const ConstantKey key : kConstantKeys) {
        if (const auto text = constantText(constants, key)) {
            line += (line.empty() ? "" : "，") + std::string(constantLabel(key)) + " " + *text;
        }
    }
    return line;
}

} // namespace gearsel
