// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The gearbox position a listed train was searched for, where a thread's ratio was searched
// over the quick-change gearbox's positions together: the position's name and the ratio the
// change gears must make in it.

#include "engine/fraction.h"

#include <QString>
#include <optional>

namespace gearsel {

struct RowPosition {
    QString name;                     // as the machine's plate names it: "A1"
    double requiredRatio = 0.0;       // the thread's ratio divided by the position's
    std::optional<Fraction> required; // its exact value, where it has one
};

} // namespace gearsel
