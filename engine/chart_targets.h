// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The targets of a chart: one required ratio per row, worked out by a ratio formula from a
// series of threads or a range of tooth counts and the machine's constants.

#include "engine/pitch.h"
#include "engine/quantity.h"
#include "engine/value_problem.h"

#include <optional>
#include <stdexcept>
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

// Why a chart cannot be made. Each surface words it in its own language
// (present/chart_problem_text.h).
struct ChartProblem {
    enum class Kind {
        NoLeadscrew,      // a thread chart on a machine without a leadscrew pitch
        NoIndexConstant,  // a hobbing chart without K
        BadPitch,         // an item of the pitch list that is not a pitch (`item`, `value`)
        PitchNotPositive, // a pitch of 0 or less (`item`)
        RangeBackwards,   // tooth counts from `first` down to a smaller `last`
        TooManyRows,      // more than kMaxChartRows targets (`rows`)
        OtherInput,       // a value the ratio formula refuses otherwise (`value`)
    };
    Kind kind;
    std::string item = {};
    int first = 0;
    int last = 0;
    long long rows = 0;
    std::optional<ValueProblem> value = {}; // why the item or the row's formula refused
};

// Thrown when a chart cannot be made. The surfaces word the problem; what() only names the
// exception for a log.
class ChartRefused : public std::invalid_argument {
public:
    explicit ChartRefused(ChartProblem problem)
        : std::invalid_argument("chart refused"), problem_(std::move(problem)) {}
    const ChartProblem& problem() const noexcept { return problem_; }

private:
    ChartProblem problem_;
};

// The ISO metric pitches from 0.2 to 6 mm, coarse and fine series together, ascending.
std::vector<Pitch> metricThreadSeries();
// The usual inch series from 4 to 80 threads per inch (Whitworth, UNC, UNF and pipe threads).
std::vector<Pitch> inchThreadSeries();

// One target per pitch: the thread's ratio on a lathe (the registry's Formula::Thread).
// Throws ChartRefused for more than kMaxChartRows pitches (TooManyRows) and for the first
// pitch that the formula refuses: PitchNotPositive for a pitch not above 0, OtherInput with
// the formula's refusal otherwise.
std::vector<ChartTarget> threadTargets(const std::vector<Pitch>& pitches, int starts,
                                       const Pitch& leadscrew, const Quantity& gearboxRatio);

// One target per workpiece tooth count from `firstTeeth` to `lastTeeth`: the index train's
// ratio of a hobbing machine (the registry's Formula::HobIndex). Throws ChartRefused for a
// range that runs backwards (RangeBackwards), for more than kMaxChartRows tooth counts
// (TooManyRows), and with the formula's refusal (OtherInput).
std::vector<ChartTarget> hobIndexTargets(const Quantity& indexConstant, int hobStarts,
                                         int firstTeeth, int lastTeeth);

} // namespace gearsel
