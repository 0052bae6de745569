// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a chart is worked out on, as the window holds it when the chart is made: the gear set
// with Zn and the search options, the machine's constants and the machine's name.

#include "engine/machine_constants.h"
#include "engine/search_request.h"

#include <QString>

namespace gearsel {

struct ChartSetup {
    SearchRequest search; // gears, zn, includeSinglePairs, allowRepeats; the ratio is unused
    MachineConstants constants;
    QString machineName; // shown above the printed table
};

} // namespace gearsel
