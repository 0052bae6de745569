// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The machine constants of how a machine takes its change gears (geometry, pairs, fixed gears,
// gears used once, gearbox positions), one by one under a key, as texts that read back to the
// same values, and what they make of a search request.

#include "engine/gearbox_positions.h"
#include "engine/machine_constants.h"
#include "engine/search_request.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace gearsel {

// The constants of how a machine takes its change gears, one by one. Module and diametral
// pitch are two keys of the one tooth size: setting either replaces the other.
enum class TrainConstantKey {
    Module,
    DiametralPitch,
    Centre,
    Stud,
    MaxDiameter,
    Pairs,
    FirstGear,
    LastGear,
    UseOnce,
    GearboxPositions,
};

inline constexpr std::array<TrainConstantKey, 10> kTrainConstantKeys = {
    TrainConstantKey::Module,      TrainConstantKey::DiametralPitch,
    TrainConstantKey::Centre,      TrainConstantKey::Stud,
    TrainConstantKey::MaxDiameter, TrainConstantKey::Pairs,
    TrainConstantKey::FirstGear,   TrainConstantKey::LastGear,
    TrainConstantKey::UseOnce,     TrainConstantKey::GearboxPositions};

// Why a text cannot be one of these constants. Each surface words it in its own language.
struct ConstantProblem {
    enum class Kind {
        // Not of the constant's form: a decimal number (lengths in mm, the diametral pitch),
        // "min-max" (the stud), a whole number (pairs, tooth counts), "yes" or "no" (use once),
        // "name=ratio" entries separated by commas (`index`: the entry at fault).
        Unreadable,
        // A number the constant cannot take (`value`): a pitch or length not above 0 or above
        // kMaxGeometryValue (a stud distance may be 0), pairs other than 2 or 3, a tooth count
        // outside kMinTeeth..kMaxTeeth.
        OutOfRange,
        Reversed,  // the stud's smallest distance exceeds its largest (`value`: the smallest)
        Positions, // gearbox positions the search refuses (`position`)
    };
    TrainConstantKey key;
    Kind kind;
    double value = 0.0;
    std::size_t index = 0;
    PositionProblem position{PositionProblem::Kind::NoPositions};
};

// The constant's name in files and JSON: "module", "dp", "centre", "stud", "max_diameter",
// "pairs", "first", "last", "use_once", "gearbox_positions".
const char* constantName(TrainConstantKey key);

// The constant that `name` names in files and JSON (see constantName()), or nothing.
std::optional<TrainConstantKey> trainConstantKeyNamed(std::string_view name);

// The constant as a text that reads back to the same value ("1.5", "45-95", "3", "127",
// "yes", "A1=1/2,A2=1,B1=5/4"), or nothing when it is unknown.
std::optional<std::string> constantText(const MachineConstants& constants, TrainConstantKey key);
// Sets the constant from such a text, or leaves the constants as they are and says why not.
// Blanks around numbers, names and ratios are allowed.
[[nodiscard]] std::optional<ConstantProblem>
setTrainConstantText(MachineConstants& constants, TrainConstantKey key, std::string_view text);
// Makes the constant unknown.
void clearConstant(MachineConstants& constants, TrainConstantKey key);

// The machine's geometry, where its tooth size and centre distance are known.
std::optional<MachineGeometry> machineGeometry(const MachineConstants& constants);
// The pairs a train of the machine has: 2 unless the constants say 3.
int trainPairs(const MachineConstants& constants);
// The request with the machine's fixed gears and use-once rule, where the constants know them,
// and, when `fitOnly`, its geometry for trains that must fit (where it has one).
SearchRequest withTrainConstants(SearchRequest request, const MachineConstants& constants,
                                 bool fitOnly);

} // namespace gearsel
