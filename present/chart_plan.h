// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a chart is for, before any search runs: its title, the machine constants it is worked
// out with and the targets of its rows. The window's chart page and `gearsel-cli chart` plan
// their charts here, so both follow the same rules and show the same titles.

#include "engine/chart_targets.h"
#include "engine/gearbox_position.h"
#include "engine/machine_constants.h"
#include "present/wording.h"

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

// "螺纹挂轮表（公制螺纹）", "螺纹挂轮表（英制螺纹）（2 线）", "螺纹挂轮表" for a list; in English
// "Thread chart (metric threads)", "Thread chart (inch threads, 2 starts)", "Thread chart".
std::string threadChartTitle(ThreadSeries series, int starts, Language language);
// "滚齿分度挂轮表（K = 24）", "滚齿分度挂轮表（K = 24，滚刀 2 头）"; in English
// "Hob indexing chart (K = 24)", "Hob indexing chart (K = 24, hob of 2 starts)".
std::string hobIndexChartTitle(const std::string& indexConstantText, int hobStarts,
                               Language language);

// The pitches of a list such as "0.5mm,0.75mm,1mm", items read by readPitch() and separated
// by commas. Throws ChartRefused (BadPitch, with readPitch()'s refusal) for the first item that
// is not a pitch.
std::vector<Pitch> readPitchList(std::string_view text);

// The constants a thread chart uses: the leadscrew pitch and the gearbox ratio, when known.
// Throws ChartRefused (NoLeadscrew) when `constants` lacks the leadscrew.
MachineConstants threadChartConstants(const MachineConstants& constants);
// The constant a hobbing index chart uses: K. Throws ChartRefused (NoIndexConstant) without it.
MachineConstants hobIndexChartConstants(const MachineConstants& constants);

// The gearbox positions a thread chart searches on a lathe whose `constants` keep them: all of
// them, each row naming the position its train is for, unless `gearboxFixed` (a gearbox ratio
// given for this chart, which fixes the gearbox instead), and then none. Where positions are
// searched, `constants` loses its gearbox ratio, which the positions stand for. Throws
// PositionsRefused for positions that findPositionProblem() refuses.
std::vector<GearboxPosition> threadChartPositions(MachineConstants& constants, bool gearboxFixed);

// A thread chart of the preset series, or of the pitches listed in `list` for
// ThreadSeries::List, with threads of `starts` starts, on a lathe with `constants` (a gearbox
// ratio left unknown counts as 1), titled in `language`. Throws ChartRefused.
ChartPlan threadChartPlan(ThreadSeries series, std::string_view list, int starts,
                          const MachineConstants& constants, Language language);

// A hobbing index chart of the tooth counts `first` to `last` with a hob of `hobStarts`
// starts, with the K of `constants`, titled in `language`. Throws ChartRefused.
ChartPlan hobIndexChartPlan(const MachineConstants& constants, int hobStarts, int first, int last,
                            Language language);

} // namespace gearsel
