// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/train_constant_text.h"

#include "base/tooth_limits.h"
#include "present/search_problem_text.h"

#include "engine/number_text.h"

#include <charconv>

namespace gearsel {

namespace {

// What the constant is, inside a sentence: "模数", "the module".
std::string meaning(TrainConstantKey key, Language language) {
    switch (key) {
    case TrainConstantKey::Module:
        return inLanguage(language, "模数", "the module");
    case TrainConstantKey::DiametralPitch:
        return inLanguage(language, "径节", "the diametral pitch");
    case TrainConstantKey::Centre:
        return inLanguage(language, "中心距", "the centre distance");
    case TrainConstantKey::Stud:
        return inLanguage(language, "中间轴到从动轴的距离", "the stud's distance");
    case TrainConstantKey::MaxDiameter:
        return inLanguage(language, "罩下最大外径", "the largest outside diameter");
    case TrainConstantKey::Pairs:
        return inLanguage(language, "挂轮对数", "the number of pairs");
    case TrainConstantKey::FirstGear:
        return inLanguage(language, "固定首轮的齿数", "the fixed first gear's tooth count");
    case TrainConstantKey::LastGear:
        return inLanguage(language, "固定末轮的齿数", "the fixed last gear's tooth count");
    case TrainConstantKey::UseOnce:
        return inLanguage(language, "“每个挂轮只用一次”", "use_once");
    case TrainConstantKey::GearboxPositions:
        break;
    }
    return inLanguage(language, "进给箱手柄位置", "the gearbox positions");
}

// The form a text of the constant must have.
std::string form(const ConstantProblem& problem, Language language) {
    switch (problem.key) {
    case TrainConstantKey::Module:
    case TrainConstantKey::Centre:
    case TrainConstantKey::MaxDiameter:
        return inLanguage(language, "应是以 mm 计的小数，如 1.5",
                          "must be a decimal number of mm, such as 1.5");
    case TrainConstantKey::DiametralPitch:
        return inLanguage(language, "应是一个小数，如 24", "must be a decimal number, such as 24");
    case TrainConstantKey::Stud:
        return inLanguage(language, "应写作“最小-最大”，以 mm 计，如 45-95",
                          "must read min-max in mm, such as 45-95");
    case TrainConstantKey::Pairs:
    case TrainConstantKey::FirstGear:
    case TrainConstantKey::LastGear:
        return inLanguage(language, "应是一个整数", "must be a whole number");
    case TrainConstantKey::UseOnce:
        return inLanguage(language, "应是 yes 或 no", "must be yes or no");
    case TrainConstantKey::GearboxPositions:
        break;
    }
    const std::string entry = std::to_string(problem.index + 1);
    return inLanguage(language, "的第 " + entry + " 项应写作“名称=速比”，如 A1=1/2",
                      "entry " + entry + " must read name=ratio, such as A1=1/2");
}

// The range a number of the constant must lie in.
std::string range(TrainConstantKey key, Language language) {
    const std::string most = std::to_string(static_cast<long long>(kMaxGeometryValue));
    switch (key) {
    case TrainConstantKey::Stud:
        return inLanguage(language, "必须在 0 到 " + most + " 之间",
                          "must be between 0 and " + most);
    case TrainConstantKey::Pairs:
        return inLanguage(language, "必须是 2 或 3", "must be 2 or 3");
    case TrainConstantKey::FirstGear:
    case TrainConstantKey::LastGear: {
        const std::string low = std::to_string(kMinTeeth);
        const std::string high = std::to_string(kMaxTeeth);
        return inLanguage(language, "必须在 " + low + " 到 " + high + " 之间",
                          "must be " + low + " to " + high);
    }
    default:
        break;
    }
    return inLanguage(language, "必须大于 0 且不超过 " + most,
                      "must be above 0 and at most " + most);
}

} // namespace

std::string trainConstantLabel(TrainConstantKey key, Language language) {
    switch (key) {
    case TrainConstantKey::Module:
        return inLanguage(language, "模数 m", "Module m");
    case TrainConstantKey::DiametralPitch:
        return inLanguage(language, "径节 DP", "Diametral pitch DP");
    case TrainConstantKey::Centre:
        return inLanguage(language, "中心距 D", "Centre distance D");
    case TrainConstantKey::Stud:
        return inLanguage(language, "中间轴距离", "Stud distance");
    case TrainConstantKey::MaxDiameter:
        return inLanguage(language, "罩下最大外径", "Largest outside diameter");
    case TrainConstantKey::Pairs:
        return inLanguage(language, "挂轮对数", "Pairs");
    case TrainConstantKey::FirstGear:
        return inLanguage(language, "固定首轮", "Fixed first gear");
    case TrainConstantKey::LastGear:
        return inLanguage(language, "固定末轮", "Fixed last gear");
    case TrainConstantKey::UseOnce:
        return inLanguage(language, "每个挂轮只用一次", "Each gear used once");
    case TrainConstantKey::GearboxPositions:
        break;
    }
    return inLanguage(language, "进给箱手柄位置", "Gearbox positions");
}

std::string trainConstantProblemText(const ConstantProblem& problem, Language language) {
    using Kind = ConstantProblem::Kind;
    const std::string what = meaning(problem.key, language);
    const std::string value = shortestText(problem.value);
    const std::string space = inLanguage(language, "", " ");
    switch (problem.kind) {
    case Kind::Unreadable:
        return what + space + form(problem, language);
    case Kind::OutOfRange:
        return what + space + range(problem.key, language) +
               inLanguage(language, "，这里是 " + value, ", not " + value);
    case Kind::Reversed:
        return inLanguage(language, "中间轴的最小距离 " + value + " 大于它的最大距离",
                          "the stud's smallest distance " + value + " exceeds its largest");
    case Kind::Positions:
        break;
    }
    // The positions' own sentence, without its full stop where it has one.
    std::string sentence = positionProblemText(problem.position, language);
    for (const std::string stop : {"，无法选配。", "。"}) {
        if (sentence.ends_with(stop)) {
            sentence.resize(sentence.size() - stop.size());
            break;
        }
    }
    return sentence;
}

} // namespace gearsel
