// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/chart_problem_text.h"

#include "base/printable_text.h"
#include "base/trim.h"
#include "present/value_problem_text.h"

namespace gearsel {

std::string chartProblemText(const ChartProblem& problem, Language language) {
    using Kind = ChartProblem::Kind;
    const std::string rows = std::to_string(problem.rows);
    const std::string first = std::to_string(problem.first);
    const std::string last = std::to_string(problem.last);
    const std::string most = std::to_string(kMaxChartRows);
    switch (problem.kind) {
    case Kind::NoLeadscrew:
        return inLanguage(language, "请先在机床常数中填写丝杠螺距",
                          "a thread chart needs the leadscrew pitch");
    case Kind::NoIndexConstant:
        return inLanguage(language, "请先在机床常数中填写分度常数 K",
                          "a hobbing index chart needs the index constant K");
    case Kind::BadPitch:
        if (trimmed(problem.item).empty()) {
            return inLanguage(language,
                              "螺距列表中有空项，请用逗号分隔各个螺距，例如 0.5mm,0.75mm,1mm。",
                              "the list of pitches has an empty item: pitches are separated by "
                              "single commas, such as 0.5mm,0.75mm,1mm");
        }
        if (language == Language::Chinese) {
            if (problem.value && problem.value->thread) {
                return "螺距列表中的" +
                       threadNameText(problem.item, *problem.value->thread, language) + "。";
            }
            return printableText("螺距列表中的“" + problem.item +
                                 "”不是螺距，请写成 1.5mm、20tpi、m2（模数）或 dp16（径节）"
                                 "这样带单位的形式。");
        }
        return "thread " + (problem.value ? valueProblemText(*problem.value, language)
                                          : printableText("'" + problem.item + "' is no pitch"));
    case Kind::PitchNotPositive:
        return printableText(inLanguage(language, "螺距 " + problem.item + " 必须大于 0。",
                                        "the pitch " + problem.item + " must be above 0"));
    case Kind::RangeBackwards:
        return inLanguage(language,
                          "齿数范围从 " + first + " 到 " + last +
                              " 是倒过来的，起始齿数不能大于终止齿数。",
                          "the tooth range " + first + "-" + last + " runs backwards");
    case Kind::TooManyRows:
        return inLanguage(language,
                          "挂轮表最多 " + most + " 行，这里有 " + rows + " 行，请缩小范围。",
                          "a chart has at most " + most + " rows, not " + rows);
    case Kind::OtherInput:
        if (language == Language::English && problem.value) {
            return valueProblemText(*problem.value, language);
        }
        break;
    }
    return inLanguage(language, "无法按这些数值算出速比，请检查机床常数和头数。",
                      "the chart's ratios cannot be worked out from these values");
}

} // namespace gearsel
