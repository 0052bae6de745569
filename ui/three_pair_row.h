// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One listed three-pair train as the three-pair page shows it, and what one search gave.

#include "engine/fraction.h"
#include "engine/three_pair_train.h"

#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace gearsel {

struct ThreePairRow {
    ThreePairSlot slot;
    double requiredRatio = 0.0;       // the ratio it was searched for: relative errors use it
    std::optional<Fraction> required; // that ratio's exact value, where it has one
    std::string position;             // its gearbox position; empty without positions
};

struct ThreePairOutcome {
    std::vector<ThreePairRow> rows; // best first
    bool cancelled = false;         // stopped on request: no rows
    double seconds = 0.0;
    std::exception_ptr refusal; // why the search could not run; null when it ran
};

} // namespace gearsel
