// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a chart is worked out on, as the window holds it when the chart is made: the gear set
// with Zn, the search options and the machine's rules for its trains, the machine's constants
// and the machine's name.

#include "engine/machine_constants.h"
#include "engine/search_request.h"

#include <QString>

namespace gearsel {

struct ChartSetup {
    // Gears, zn, includeSinglePairs, allowRepeats, the fixed gears and use-once, and the
    // geometry where the trains must fit; the ratio is unused.
    SearchRequest search;
    // The formulas' constants and the gearbox positions a thread chart searches.
    MachineConstants constants;
    QString machineName; // shown above the printed table
    int pairs = 2;       // the pairs of a train: 2 or 3
    // A gearbox ratio given for this chart rather than kept: it fixes the gearbox, and the
    // positions are not searched.
    bool gearboxFixed = false;
};

} // namespace gearsel
