// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/chart_plan.h"

#include "engine/pitch_notation.h"

namespace gearsel {

namespace {

std::string startsText(int starts, const std::string& what) {
    return starts == 1 ? std::string() : "，" + what + " " + std::to_string(starts) + " 头";
}

ChartProblem problemOf(ChartProblem::Kind kind) {
    ChartProblem problem{kind, {}};
    return problem;
}

// Which input made threadTargets() refuse, for the window's message; the engine's sentence
// stays the exception's text.
ChartRefused threadRefusal(const std::vector<Pitch>& pitches, const std::string& what) {
    ChartProblem problem = problemOf(ChartProblem::Kind::OtherInput);
    if (pitches.size() > static_cast<std::size_t>(kMaxChartRows)) {
        problem.kind = ChartProblem::Kind::TooManyRows;
        problem.rows = static_cast<long long>(pitches.size());
        return ChartRefused(problem, what);
    }
    for (const Pitch& pitch : pitches) {
        if (!(pitch.amount.value() > 0.0)) {
            problem.kind = ChartProblem::Kind::PitchNotPositive;
            problem.item = pitchText(pitch);
            break;
        }
    }
    return ChartRefused(problem, what);
}

ChartRefused hobIndexRefusal(int first, int last, const std::string& what) {
    ChartProblem problem = problemOf(ChartProblem::Kind::OtherInput);
    problem.first = first;
    problem.last = last;
    problem.rows = static_cast<long long>(last) - first + 1;
    if (last < first) {
        problem.kind = ChartProblem::Kind::RangeBackwards;
    } else if (problem.rows > kMaxChartRows) {
        problem.kind = ChartProblem::Kind::TooManyRows;
    }
    return ChartRefused(problem, what);
}

} // namespace

std::string threadChartTitle(ThreadSeries series, int starts) {
    return std::string("螺纹挂轮表") +
           (series == ThreadSeries::Metric ? "（公制螺纹）"
            : series == ThreadSeries::Inch ? "（英制螺纹）"
                                           : "") +
           (starts == 1 ? "" : "（" + std::to_string(starts) + " 线）");
}

std::string hobIndexChartTitle(const std::string& indexConstantText, int hobStarts) {
    return "滚齿分度挂轮表（K = " + indexConstantText + startsText(hobStarts, "滚刀") + "）";
}

std::vector<Pitch> readPitchList(std::string_view text) {
    std::vector<Pitch> pitches;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string_view item = text.substr(start, comma - start);
        try {
            pitches.push_back(readPitch(item));
        } catch (const std::invalid_argument& e) {
            ChartProblem problem = problemOf(ChartProblem::Kind::BadPitch);
            problem.item = std::string(item);
            throw ChartRefused(problem, e.what());
        }
        if (comma == std::string_view::npos) {
            return pitches;
        }
        start = comma + 1;
    }
}

MachineConstants threadChartConstants(const MachineConstants& constants) {
    if (!constants.leadscrew) {
        throw ChartRefused(problemOf(ChartProblem::Kind::NoLeadscrew),
                           "a thread chart needs the leadscrew pitch");
    }
    MachineConstants used;
    used.leadscrew = constants.leadscrew;
    used.gearboxRatio = constants.gearboxRatio;
    return used;
}

MachineConstants hobIndexChartConstants(const MachineConstants& constants) {
    if (!constants.indexConstant) {
        throw ChartRefused(problemOf(ChartProblem::Kind::NoIndexConstant),
                           "a hobbing index chart needs the index constant K");
    }
    MachineConstants used;
    used.indexConstant = constants.indexConstant;
    return used;
}

ChartPlan threadChartPlan(ThreadSeries series, std::string_view list, int starts,
                          const MachineConstants& constants) {
    ChartPlan chart;
    chart.used = threadChartConstants(constants);
    chart.title = threadChartTitle(series, starts);
    const std::vector<Pitch> pitches = series == ThreadSeries::Metric ? metricThreadSeries()
                                       : series == ThreadSeries::Inch ? inchThreadSeries()
                                                                      : readPitchList(list);
    const Quantity gearbox = chart.used.gearboxRatio.value_or(Quantity::whole(1));
    try {
        chart.targets = threadTargets(pitches, starts, *chart.used.leadscrew, gearbox);
    } catch (const std::invalid_argument& e) {
        throw threadRefusal(pitches, e.what());
    }
    return chart;
}

ChartPlan hobIndexChartPlan(const MachineConstants& constants, int hobStarts, int first, int last) {
    ChartPlan chart;
    chart.used = hobIndexChartConstants(constants);
    chart.title =
        hobIndexChartTitle(constantText(chart.used, ConstantKey::IndexConstant).value(), hobStarts);
    try {
        chart.targets = hobIndexTargets(*chart.used.indexConstant, hobStarts, first, last);
    } catch (const std::invalid_argument& e) {
        throw hobIndexRefusal(first, last, e.what());
    }
    return chart;
}

} // namespace gearsel
