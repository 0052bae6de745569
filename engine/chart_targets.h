// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The targets of a chart: one required ratio per row, worked out by a ratio formula from a
// series of threads or a range of tooth counts and the machine's constants.

#include "engine/pitch.h"
#include "engine/quantity.h"

#include <string>
#include <vector>

namespace gearsel {

// One row's target: what it is for, as the chart shows it ("1.5mm", "20tpi", "z=17"), and the
// ratio that the formula gives for it.
struct ChartTarget {
    std::string label;
    Quantity ratio;
};

// A chart has at most this many rows.
inline constexpr int kMaxChartRows = 1000;

// The ISO metric pitches from 0.2 to 6 mm, coarse and fine series together, ascending.
std::vector<Pitch> metricThreadSeries();
// The usual inch series from 4 to 80 threads per inch (Whitworth, UNC, UNF and pipe threads).
std::vector<Pitch> inchThreadSeries();

// One target per pitch: the thread's ratio on a lathe (threadRatio). Throws
// std::invalid_argument as threadRatio does, for the first pitch it refuses, and for more
// than kMaxChartRows pitches.
std::vector<ChartTarget> threadTargets(const std::vector<Pitch>& pitches, int starts,
                                       const Pitch& leadscrew, const Quantity& gearboxRatio);

// One target per workpiece tooth count from `firstTeeth` to `lastTeeth`: the index train's
// ratio of a hobbing machine (hobIndexRatio). Throws std::invalid_argument as hobIndexRatio
// does, for a range that runs backwards and for more than kMaxChartRows tooth counts.
std::vector<ChartTarget> hobIndexTargets(const Quantity& indexConstant, int hobStarts,
                                         int firstTeeth, int lastTeeth);

} // namespace gearsel
