// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The constants a machine brings to the ratio formulas, and those of how it takes its change
// gears (geometry, pairs, fixed gears, gears used once, gearbox positions). Each is unknown
// until it is given; the formulas and searches take them as plain parameters, so they may come
// from the command line or from what the data store keeps for a machine. The functions below
// handle them one by one under a key, as texts that read back to the same values.

#include "engine/gearbox_position.h"
#include "engine/machine_geometry.h"
#include "engine/pitch.h"
#include "engine/quantity.h"
#include "engine/value_problem.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gearsel {

struct MachineConstants {
    std::optional<Pitch> leadscrew;               // lathe: leadscrew pitch, mm or tpi
    std::optional<Quantity> gearboxRatio;         // lathe: feed gearbox ratio, 1 when unknown
    std::optional<Quantity> indexConstant;        // hobbing machine: index constant K
    std::optional<Quantity> differentialConstant; // hobbing machine: differential constant C
    std::optional<Quantity> headRatio;            // dividing head: worm ratio N

    // How the machine takes its change gears, for the searches rather than the formulas:
    std::optional<ToothSize> toothSize; // module or diametral pitch of the change gears
    std::optional<double> centre;       // D: input to output shaft, mm
    std::optional<StudRange> stud;      // Rmin..Rmax: the stud's distances in the slot, mm
    std::optional<double> maxDiameter;  // the largest outside diameter under the cover, mm
    std::optional<int> pairs;           // 2 or 3: the pairs a train has; 2 when unknown
    std::optional<int> firstGear;       // a first driver that cannot be changed
    std::optional<int> lastGear;        // a last driven gear that cannot be changed
    std::optional<bool> useOnce;        // each gear of the set at most once in a train
    std::optional<std::vector<GearboxPosition>> gearboxPositions; // a quick-change gearbox
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

// Whether every constant, of the formulas and of the train, is unknown.
bool noConstants(const MachineConstants& constants);
// `kept` with every constant that `given` knows replaced by the given one: options typed for
// one job over the constants kept for the machine.
MachineConstants overridden(const MachineConstants& kept, const MachineConstants& given);

// Throws ValueRefused naming the first known constant that no formula accepts: a leadscrew
// pitch not above 0 (NotPositive) or given as a module or diametral pitch (LeadscrewUnit), a
// gearbox ratio, K, C or N not above 0.
void checkMachineConstants(const MachineConstants& constants);

} // namespace gearsel
