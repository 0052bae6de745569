#pragma once
// The constants a machine brings to the ratio formulas. Each is unknown until it is given; the
// formulas take them as plain parameters, so they may come from the command line or from
// whatever keeps them for a machine.

#include "engine/pitch.h"
#include "engine/quantity.h"

#include <optional>

namespace gearsel {

struct MachineConstants {
    std::optional<Pitch> leadscrew;               // lathe: leadscrew pitch, mm or tpi
    std::optional<Quantity> gearboxRatio;         // lathe: feed gearbox ratio, 1 when unknown
    std::optional<Quantity> indexConstant;        // hobbing machine: index constant K
    std::optional<Quantity> differentialConstant; // hobbing machine: differential constant C
    std::optional<Quantity> headRatio;            // dividing head: worm ratio N
};

} // namespace gearsel
