// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The constants a machine brings to the ratio formulas. Each is unknown until it is given; the
// formulas take them as plain parameters, so they may come from the command line or from what
// the data store keeps for a machine. The functions below handle them one by one under a key,
// as texts that read back to the same values.

#include "engine/pitch.h"
#include "engine/quantity.h"
#include "engine/value_problem.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace gearsel {

struct MachineConstants {
    std::optional<Pitch> leadscrew;               // lathe: leadscrew pitch, mm or tpi
    std::optional<Quantity> gearboxRatio;         // lathe: feed gearbox ratio, 1 when unknown
    std::optional<Quantity> indexConstant;        // hobbing machine: index constant K
    std::optional<Quantity> differentialConstant; // hobbing machine: differential constant C
    std::optional<Quantity> headRatio;            // dividing head: worm ratio N
};

enum class ConstantKey { Leadscrew, GearboxRatio, IndexConstant, DifferentialConstant, HeadRatio };

inline constexpr std::array<ConstantKey, 5> kConstantKeys = {
    ConstantKey::Leadscrew, ConstantKey::GearboxRatio, ConstantKey::IndexConstant,
    ConstantKey::DifferentialConstant, ConstantKey::HeadRatio};

// The constant's name in files and JSON: "leadscrew", "gearbox", "k", "c", "n". Its label for
// people is present/'s (constant_text.h).
const char* constantName(ConstantKey key);
// What the constant stands for in the ratio formulas and in their refusals.
ValueInput constantInput(ConstantKey key);

// The constant as a text that reads back to the same value ("6mm", "4tpi", "3/2", "24"), or
// nothing when it is unknown.
std::optional<std::string> constantText(const MachineConstants& constants, ConstantKey key);
// The value of a constant other than the leadscrew (a pitch, constants.leadscrew), or nothing
// when it is unknown.
std::optional<Quantity> constantNumber(const MachineConstants& constants, ConstantKey key);
// Sets the constant from such a text. Throws ValueRefused, naming the constant (its input),
// for a text that is no such value and for a value the formulas refuse (see
// checkMachineConstants).
void setConstantText(MachineConstants& constants, ConstantKey key, std::string_view text);
// Makes the constant unknown.
void clearConstant(MachineConstants& constants, ConstantKey key);

// Whether every constant is unknown.
bool noConstants(const MachineConstants& constants);
// `kept` with every constant that `given` knows replaced by the given one: options typed for
// one job over the constants kept for the machine.
MachineConstants overridden(const MachineConstants& kept, const MachineConstants& given);

// Throws ValueRefused naming the first known constant that no formula accepts: a leadscrew
// pitch not above 0 (NotPositive) or given as a module or diametral pitch (LeadscrewUnit), a
// gearbox ratio, K, C or N not above 0.
void checkMachineConstants(const MachineConstants& constants);

} // namespace gearsel
