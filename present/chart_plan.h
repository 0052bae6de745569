// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a chart is for, before any search runs: its title, the machine constants it is worked
// out with and the targets of its rows. The window's chart page and `gearsel-cli chart` plan
// their charts here, so both follow the same rules and show the same titles.

#include "engine/chart_targets.h"
#include "engine/machine_constants.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace gearsel {

struct ChartPlan {
    std::string title;
    MachineConstants used; // the constants the targets were worked out with
    std::vector<ChartTarget> targets;
};

// The series a thread chart covers: one of the two presets or a list typed by the user.
enum class ThreadSeries { Metric, Inch, List };

// Why a chart cannot be planned. Each surface words it in its own language.
struct ChartProblem {
    enum class Kind {
        NoLeadscrew,      // a thread chart on a machine without a leadscrew pitch
        NoIndexConstant,  // a hobbing chart without K
        BadPitch,         // an item of the pitch list that is not a pitch (`item`)
        PitchNotPositive, // a pitch of 0 or less (`item`)
        RangeBackwards,   // tooth counts from `first` down to a smaller `last`
        TooManyRows,      // more than kMaxChartRows targets (`rows`)
        OtherInput,       // a value the ratio formula refuses otherwise (starts, K, teeth)
    };
    Kind kind;
    std::string item;
    int first = 0;
    int last = 0;
    long long rows = 0;
};

// Thrown when a chart cannot be planned; what() is the engine's English sentence where there
// is one, which the command line prints as it is.
class ChartRefused : public std::invalid_argument {
public:
    ChartRefused(const ChartProblem& problem, const std::string& what)
        : std::invalid_argument(what), problem_(problem) {}
    const ChartProblem& problem() const noexcept { return problem_; }

private:
    ChartProblem problem_;
};

// "螺纹挂轮表（公制螺纹）", "螺纹挂轮表（英制螺纹）（2 线）", "螺纹挂轮表" for a list.
std::string threadChartTitle(ThreadSeries series, int starts);
// "滚齿分度挂轮表（K = 24）", "滚齿分度挂轮表（K = 24，滚刀 2 头）".
std::string hobIndexChartTitle(const std::string& indexConstantText, int hobStarts);

// The pitches of a list such as "0.5mm,0.75mm,1mm", items read by readPitch() and separated
// by commas. Throws ChartRefused (BadPitch) for the first item that is not a pitch.
std::vector<Pitch> readPitchList(std::string_view text);

// The constants a thread chart uses: the leadscrew pitch and the gearbox ratio, when known.
// Throws ChartRefused (NoLeadscrew) when `constants` lacks the leadscrew.
MachineConstants threadChartConstants(const MachineConstants& constants);
// The constant a hobbing index chart uses: K. Throws ChartRefused (NoIndexConstant) without it.
MachineConstants hobIndexChartConstants(const MachineConstants& constants);

// A thread chart of the preset series, or of the pitches listed in `list` for
// ThreadSeries::List, with threads of `starts` starts, on a lathe with `constants` (a gearbox
// ratio left unknown counts as 1). Throws ChartRefused.
ChartPlan threadChartPlan(ThreadSeries series, std::string_view list, int starts,
                          const MachineConstants& constants);

// A hobbing index chart of the tooth counts `first` to `last` with a hob of `hobStarts`
// starts, with the K of `constants`. Throws ChartRefused.
ChartPlan hobIndexChartPlan(const MachineConstants& constants, int hobStarts, int first, int last);

} // namespace gearsel
