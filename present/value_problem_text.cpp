// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/value_problem_text.h"

#include "base/printable_text.h"
#include "base/trim.h"

namespace gearsel {

namespace {

// A text as a sentence quotes it: “1.5”, '1.5'.
std::string quoted(const std::string& text, Language language) {
    return inLanguage(language, "“" + text + "”", "'" + text + "'");
}

// Why a text is no number or no pitch, after the quoted text.
std::string whyNoValue(const ValueProblem& problem, Language language) {
    using Kind = ValueProblem::Kind;
    switch (problem.kind) {
    case Kind::NotNumber:
        return inLanguage(language, "不是一个数", " is not a number");
    case Kind::DecimalComma:
        return inLanguage(language, "不是一个数：小数点要写成句点，如 " + problem.suggestion,
                          " is not a number: decimals are written with a full stop, as " +
                              problem.suggestion);
    case Kind::BeyondRange:
        return inLanguage(language, "超出了数的范围（最大约 1.8e308）",
                          " is beyond the range of numbers (at most about 1.8e308)");
    case Kind::BelowRange:
        return inLanguage(language, "太接近 0，无法表示（小于约 4.9e-324）",
                          " is too close to 0 to be held as a number (below about 4.9e-324)");
    case Kind::NotFinite:
        return inLanguage(language, "不是一个有限的数", " is not a finite number");
    case Kind::NotFraction:
        return inLanguage(language, "不是整数组成的分数 p/q",
                          " is not a fraction p/q of whole numbers");
    case Kind::FractionTooLarge:
        return inLanguage(language, "：p 和 q 必须在 64 位整数的范围内",
                          ": p and q must lie within 64 bits");
    case Kind::DenominatorNotPositive:
        return inLanguage(language, "：q 必须大于 0", ": q must be above 0");
    case Kind::PitchWithoutUnit:
        return inLanguage(language, "缺少单位：如 1.5mm、20tpi、m2（模数）或 dp16（径节）",
                          " needs a unit: 1.5mm, 20tpi, m2 (module) or dp16 (diametral pitch)");
    case Kind::PitchWithoutNumber:
        return inLanguage(language, "不是带单位的数，如 1.5mm、20tpi、m2 或 dp16",
                          " is not a number with a unit, e.g. 1.5mm, 20tpi, m2 or dp16");
    case Kind::PitchNamesThread:
    case Kind::NotPositive:
    case Kind::BelowOne:
    case Kind::HelixOutOfRange:
    case Kind::LeadscrewUnit:
    case Kind::SameDivisions:
    case Kind::ConstantMissing:
        break;
    }
    return {};
}

// What a formula or a constant says of a value it refuses, after the value's name.
std::string whyRefused(const ValueProblem& problem, const std::string& name, Language language) {
    using Kind = ValueProblem::Kind;
    const std::string count = std::to_string(problem.count);
    switch (problem.kind) {
    case Kind::NotPositive:
        return inLanguage(language, name + "必须大于 0", name + " must be above 0");
    case Kind::BelowOne:
        return inLanguage(language, name + "必须至少是 1，不能是 " + count,
                          name + " must be at least 1, not " + count);
    case Kind::HelixOutOfRange:
        return inLanguage(language, name + "必须在 0 到 90 度之间（直齿轮不用差动挂轮）",
                          name + " must lie between 0 and 90 degrees");
    case Kind::LeadscrewUnit:
        return inLanguage(language, name + "必须以 mm 或 tpi 为单位",
                          name + " must be given in mm or tpi");
    case Kind::SameDivisions:
        return inLanguage(language, name + "不能等于等分数：这样可以直接简单分度，不用差动挂轮",
                          name + " must differ from the divisions wanted");
    case Kind::ConstantMissing:
        return inLanguage(language, "请先在机床常数中填写" + name, name + " is not known");
    default:
        break;
    }
    return {};
}

} // namespace

std::string valueInputName(ValueInput input, Language language) {
    switch (input) {
    case ValueInput::Pitch:
        return inLanguage(language, "螺距", "the pitch");
    case ValueInput::Starts:
        return inLanguage(language, "头数", "the number of starts");
    case ValueInput::Leadscrew:
        return inLanguage(language, "丝杠螺距", "the leadscrew pitch");
    case ValueInput::GearboxRatio:
        return inLanguage(language, "进给箱速比", "the gearbox ratio");
    case ValueInput::IndexConstant:
        return inLanguage(language, "分度常数 K", "the index constant");
    case ValueInput::HobStarts:
        return inLanguage(language, "滚刀头数", "the number of hob starts");
    case ValueInput::Teeth:
        return inLanguage(language, "工件齿数", "the workpiece tooth count");
    case ValueInput::DifferentialConstant:
        return inLanguage(language, "差动常数 C", "the differential constant");
    case ValueInput::Helix:
        return inLanguage(language, "螺旋角", "the helix angle");
    case ValueInput::NormalModule:
        return inLanguage(language, "法向模数", "the normal module");
    case ValueInput::HeadRatio:
        return inLanguage(language, "分度头定数 N", "the dividing head's worm ratio");
    case ValueInput::Divisions:
        return inLanguage(language, "等分数", "the number of divisions");
    case ValueInput::ApproxDivisions:
        return inLanguage(language, "近似等分数", "the approximate number of divisions");
    }
    return {};
}

std::string threadNameText(const std::string& text, const ThreadName& thread, Language language) {
    const std::string& d = thread.diameter;
    if (language == Language::Chinese) {
        std::string sentence =
            "“" + std::string(trimmed(text)) + "”是公制螺纹的代号，不是螺距：请填它的螺距" +
            (thread.pitch.empty() ? "（以 mm 为单位，如 1.5mm）" : " " + thread.pitch);
        if (!thread.fine) {
            sentence += "；模数为 " + d + " 的蜗杆请写小写的 m" + d;
        }
        return printableText(sentence);
    }
    return printableText("'" + text +
                         "' names a metric thread, not a pitch: give the thread's pitch instead" +
                         (thread.fine            ? ", " + thread.pitch
                          : thread.pitch.empty() ? " in mm"
                                                 : ", " + thread.pitch + " for the coarse M" + d) +
                         (thread.fine ? "" : ", or write m" + d + " for a worm of module " + d));
}

std::string valueProblemText(const ValueProblem& problem, Language language) {
    using Kind = ValueProblem::Kind;
    // "the leadscrew pitch '6' needs a unit", "丝杠螺距“6”缺少单位".
    const std::string name = problem.input ? valueInputName(*problem.input, language) : "";
    const std::string named = name.empty() || language == Language::Chinese ? name : name + " ";
    switch (problem.kind) {
    case Kind::NotPositive:
    case Kind::BelowOne:
    case Kind::HelixOutOfRange:
    case Kind::LeadscrewUnit:
    case Kind::SameDivisions:
    case Kind::ConstantMissing:
        return printableText(whyRefused(problem, name, language));
    case Kind::PitchNamesThread:
        if (problem.thread) {
            return printableText(named) + threadNameText(problem.text, *problem.thread, language);
        }
        break;
    default:
        break;
    }
    // A number inside a pitch text: "'1/0mm': '1/0': q must be above 0".
    const std::string within = problem.within.empty() ? std::string()
                                                      : quoted(problem.within, language) +
                                                            inLanguage(language, "：", ": ");
    return printableText(named + within + quoted(problem.text, language) +
                         whyNoValue(problem, language));
}

} // namespace gearsel
