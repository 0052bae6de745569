// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/chart_targets.h"

#include "engine/formula_registry.h"
#include "engine/pitch_notation.h"

namespace gearsel {

namespace {

// Pitches given as hundredths of their unit.
std::vector<Pitch> series(std::initializer_list<int> hundredths, PitchUnit unit) {
    std::vector<Pitch> pitches;
    for (const int h : hundredths) {
        pitches.push_back(Pitch{Quantity(Fraction(h, 100)), unit});
    }
    return pitches;
}

void checkRowCount(long long rows) {
    if (rows > kMaxChartRows) {
        ChartProblem problem{ChartProblem::Kind::TooManyRows};
        problem.rows = rows;
        throw ChartRefused(std::move(problem));
    }
}

// The formula's refusal of one row's target.
ChartRefused rowRefused(const ValueRefused& refused, const std::string& item) {
    ChartProblem problem{ChartProblem::Kind::OtherInput, item};
    const ValueProblem& why = refused.problem();
    if (why.kind == ValueProblem::Kind::NotPositive && why.input == ValueInput::Pitch) {
        problem.kind = ChartProblem::Kind::PitchNotPositive;
    }
    problem.value = why;
    return ChartRefused(std::move(problem));
}

} // namespace

std::vector<Pitch> metricThreadSeries() {
    // ISO 261: the coarse pitches, and the fine ones (0.2, 0.25, 0.35, 0.5, 0.75, 1, 1.25,
    // 1.5, 2, 3, 4, 6), which are among them from 0.2 mm to 6 mm.
    return series({20,  25,  30,  35,  40,  45,  50,  60,  70,  75,  80,  100,
                   125, 150, 175, 200, 250, 300, 350, 400, 450, 500, 550, 600},
                  PitchUnit::Millimetre);
}

std::vector<Pitch> inchThreadSeries() {
    return series({400,  450,  500,  550,  600,  700,  800,  900,  1000, 1100, 1150,
                   1200, 1300, 1400, 1600, 1800, 1900, 2000, 2200, 2400, 2600, 2700,
                   2800, 3200, 3600, 4000, 4400, 4800, 5600, 6400, 7200, 8000},
                  PitchUnit::ThreadsPerInch);
}

std::vector<ChartTarget> threadTargets(const std::vector<Pitch>& pitches, int starts,
                                       const Pitch& leadscrew, const Quantity& gearboxRatio) {
    checkRowCount(static_cast<long long>(pitches.size()));
    std::vector<ChartTarget> targets;
    const FormulaEntry& thread = formulaEntry(Formula::Thread);
    for (const Pitch& pitch : pitches) {
        const std::string label = pitchText(pitch);
        try {
            targets.push_back({label, thread.compute({pitch, starts, leadscrew, gearboxRatio})});
        } catch (const ValueRefused& refused) {
            throw rowRefused(refused, label);
        }
    }
    return targets;
}

std::vector<ChartTarget> hobIndexTargets(const Quantity& indexConstant, int hobStarts,
                                         int firstTeeth, int lastTeeth) {
    if (lastTeeth < firstTeeth) {
        ChartProblem problem{ChartProblem::Kind::RangeBackwards};
        problem.first = firstTeeth;
        problem.last = lastTeeth;
        throw ChartRefused(std::move(problem));
    }
    checkRowCount(static_cast<long long>(lastTeeth) - firstTeeth + 1);
    std::vector<ChartTarget> targets;
    const FormulaEntry& hobIndex = formulaEntry(Formula::HobIndex);
    for (int z = firstTeeth; z <= lastTeeth; ++z) {
        const std::string label = "z=" + std::to_string(z);
        try {
            targets.push_back({label, hobIndex.compute({indexConstant, z, hobStarts})});
        } catch (const ValueRefused& refused) {
            throw rowRefused(refused, label);
        }
    }
    return targets;
}

} // namespace gearsel
