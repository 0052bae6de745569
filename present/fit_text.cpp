// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/fit_text.h"

namespace gearsel {

std::string fitProblemLabel(FitProblem problem) {
    switch (problem) {
    case FitProblem::Reach:
        return "中心距够不着";
    case FitProblem::Slot:
        return "超出挂轮架槽";
    case FitProblem::Diameter:
        return "齿轮超出罩壳";
    case FitProblem::NoIdler:
        break;
    }
    return "无合适惰轮";
}

std::string fitCellText(const std::optional<TrainFit>& fit) {
    if (!fit) {
        return {};
    }
    if (fit->fits) {
        return fit->idler ? "✓ 惰轮 " + std::to_string(*fit->idler) + "（反向）" : "✓";
    }
    std::string text = "✗ ";
    bool first = true;
    for (const FitProblem problem : kFitProblems) {
        if (fit->problems.has(problem)) {
            text += (first ? "" : "、") + fitProblemLabel(problem);
            first = false;
        }
    }
    return text;
}

} // namespace gearsel
