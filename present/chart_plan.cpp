// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/chart_plan.h"

#include "engine/gearbox_positions.h"
#include "engine/pitch_notation.h"

namespace gearsel {

namespace {

ChartRefused refusal(ChartProblem::Kind kind) {
    return ChartRefused(ChartProblem{kind});
}

} // namespace

std::string threadChartTitle(ThreadSeries series, int starts, Language language) {
    const std::string count = std::to_string(starts);
    if (language == Language::English) {
        const std::string what = series == ThreadSeries::Metric ? "metric threads"
                                 : series == ThreadSeries::Inch ? "inch threads"
                                                                : "";
        const std::string startsPart = starts == 1 ? "" : count + " starts";
        const std::string both =
            what + (what.empty() || startsPart.empty() ? "" : ", ") + startsPart;
        return "Thread chart" + (both.empty() ? std::string() : " (" + both + ")");
    }
    return std::string("螺纹挂轮表") +
           (series == ThreadSeries::Metric ? "（公制螺纹）"
            : series == ThreadSeries::Inch ? "（英制螺纹）"
                                           : "") +
           (starts == 1 ? "" : "（" + count + " 线）");
}

std::string hobIndexChartTitle(const std::string& indexConstantText, int hobStarts,
                               Language language) {
    const std::string count = std::to_string(hobStarts);
    return inLanguage(language,
                      "滚齿分度挂轮表（K = " + indexConstantText +
                          (hobStarts == 1 ? "" : "，滚刀 " + count + " 头") + "）",
                      "Hob indexing chart (K = " + indexConstantText +
                          (hobStarts == 1 ? "" : ", hob of " + count + " starts") + ")");
}

std::vector<Pitch> readPitchList(std::string_view text) {
    std::vector<Pitch> pitches;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string_view item = text.substr(start, comma - start);
        try {
            pitches.push_back(readPitch(item));
        } catch (const ValueRefused& refused) {
            ChartProblem problem{ChartProblem::Kind::BadPitch, std::string(item)};
            problem.value = refused.problem();
            throw ChartRefused(std::move(problem));
        }
        if (comma == std::string_view::npos) {
            return pitches;
        }
        start = comma + 1;
    }
}

std::vector<GearboxPosition> threadChartPositions(MachineConstants& constants, bool gearboxFixed) {
    if (gearboxFixed || !constants.gearboxPositions) {
        return {};
    }
    std::vector<GearboxPosition> positions = *constants.gearboxPositions;
    if (const auto refused = findPositionProblem(positions)) {
        throw PositionsRefused(*refused);
    }
    constants.gearboxRatio.reset();
    return positions;
}

MachineConstants threadChartConstants(const MachineConstants& constants) {
    if (!constants.leadscrew) {
        throw refusal(ChartProblem::Kind::NoLeadscrew);
    }
    MachineConstants used;
    used.leadscrew = constants.leadscrew;
    used.gearboxRatio = constants.gearboxRatio;
    return used;
}

MachineConstants hobIndexChartConstants(const MachineConstants& constants) {
    if (!constants.indexConstant) {
        throw refusal(ChartProblem::Kind::NoIndexConstant);
    }
    MachineConstants used;
    used.indexConstant = constants.indexConstant;
    return used;
}

ChartPlan threadChartPlan(ThreadSeries series, std::string_view list, int starts,
                          const MachineConstants& constants, Language language) {
    ChartPlan chart;
    chart.used = threadChartConstants(constants);
    chart.title = threadChartTitle(series, starts, language);
    const std::vector<Pitch> pitches = series == ThreadSeries::Metric ? metricThreadSeries()
                                       : series == ThreadSeries::Inch ? inchThreadSeries()
                                                                      : readPitchList(list);
    const Quantity gearbox = chart.used.gearboxRatio.value_or(Quantity::whole(1));
    chart.targets = threadTargets(pitches, starts, *chart.used.leadscrew, gearbox);
    return chart;
}

ChartPlan hobIndexChartPlan(const MachineConstants& constants, int hobStarts, int first, int last,
                            Language language) {
    ChartPlan chart;
    chart.used = hobIndexChartConstants(constants);
    chart.title = hobIndexChartTitle(constantText(chart.used, ConstantKey::IndexConstant).value(),
                                     hobStarts, language);
    chart.targets = hobIndexTargets(*chart.used.indexConstant, hobStarts, first, last);
    return chart;
}

} // namespace gearsel
