// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/chart_problem_text.h"

#include "base/trim.h"
#include "present/formula_form.h"

namespace gearsel {

std::string chartProblemText(const ChartProblem& problem) {
    const std::string rows = std::to_string(problem.rows);
    const std::string first = std::to_string(problem.first);
    const std::string last = std::to_string(problem.last);
    switch (problem.kind) {
    case ChartProblem::Kind::NoLeadscrew:
        return "请先在机床常数中填写丝杠螺距";
    case ChartProblem::Kind::NoIndexConstant:
        return "请先在机床常数中填写分度常数 K";
    case ChartProblem::Kind::BadPitch:
        if (trimmed(problem.item).empty()) {
            return "螺距列表中有空项，请用逗号分隔各个螺距，例如 0.5mm,0.75mm,1mm。";
        }
        if (auto thread = threadNameProblem(problem.item)) {
            return "螺距列表中的" + *thread;
        }
        return "螺距列表中的“" + problem.item +
               "”不是螺距，请写成 1.5mm、20tpi、m2（模数）或 dp16（径节）这样带单位的形式。";
    case ChartProblem::Kind::PitchNotPositive:
        return "螺距 " + problem.item + " 必须大于 0。";
    case ChartProblem::Kind::RangeBackwards:
        return "齿数范围从 " + first + " 到 " + last + " 是倒过来的，起始齿数不能大于终止齿数。";
    case ChartProblem::Kind::TooManyRows:
        return "挂轮表最多 " + std::to_string(kMaxChartRows) + " 行，这里有 " + rows +
               " 行，请缩小范围。";
    case ChartProblem::Kind::OtherInput:
        break;
    }
    return "无法按这些数值算出速比，请检查机床常数和头数。";
}

} // namespace gearsel
