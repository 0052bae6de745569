// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/search_problem_text.h"

#include "base/printable_text.h"

#include <charconv>
#include <cstdio>

namespace gearsel {

namespace {

// The shortest text that reads back to the same double.
std::string shortest(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return {text, end};
}

} // namespace

std::string searchProblemText(const SearchProblem& problem, Language language) {
    using Kind = SearchProblem::Kind;
    const std::string value = std::to_string(problem.value);
    switch (problem.kind) {
    case Kind::RatioNotFinite:
        return inLanguage(language, "要求速比必须是一个有限的数，无法选配。",
                          "the required ratio must be a finite number");
    case Kind::RatioZero:
        return inLanguage(language, "要求速比不能是 0，无法选配。",
                          "the required ratio must not be 0");
    case Kind::RatioNearZero:
        return inLanguage(language, "要求速比太接近 0，相对精度超出了数的范围，无法选配。",
                          "the required ratio is too close to 0 (below 2.2e-308): the relative "
                          "error, which divides by it, would be beyond the range of numbers");
    case Kind::CountOutOfRange: {
        const std::string most = std::to_string(kMaxResultCount);
        return inLanguage(language,
                          "列表组数 " + value + " 不在 0 到 " + most + " 之间，无法选配。",
                          "the result count " + value + " is not between 0 and " + most);
    }
    case Kind::ZnOutOfRange:
        return inLanguage(language, "装配条件 " + value + " 超出了 16 位整数的范围，无法选配。",
                          "the assembly condition Zn " + value + " is not a 16-bit whole number");
    case Kind::TooManyGears: {
        const std::string most = std::to_string(kMaxGearCount);
        return inLanguage(language,
                          "挂轮有 " + value + " 个，最多只能有 " + most + " 个，无法选配。",
                          "a gear list holds at most " + most + " gears, not " + value);
    }
    case Kind::ToothOutOfRange: {
        const std::string low = std::to_string(kMinTeeth);
        const std::string high = std::to_string(kMaxTeeth);
        return inLanguage(language,
                          "齿数 " + value + " 不在 " + low + " 到 " + high + " 之间，无法选配。",
                          "tooth count " + value + " is outside " + low + " to " + high);
    }
    }
    return inLanguage(language, "无法选配。", "the request cannot be searched");
}

std::string unusableRatioText(const SearchProblem& problem, const std::string& subject,
                              double value, bool workedOut, Language language) {
    const bool infinite = problem.kind == SearchProblem::Kind::RatioNotFinite;
    if (language == Language::Chinese) {
        if (!workedOut) {
            return searchProblemText(problem, language);
        }
        return infinite ? "算出的速比超出了数的范围，无法选配，请检查输入的数值。"
                        : "算出的速比太接近 0，相对精度无法计算，请检查输入的数值。";
    }
    char shown[32];
    std::snprintf(shown, sizeof shown, "%.17g", value);
    const std::string why = infinite ? "not a finite number"
                                     : "too close to 0 for a relative error (its size must be at "
                                       "least 2.2e-308)";
    if (workedOut) {
        return subject + " works out as " + shown + ", which is " + why +
               ": the inputs are too far apart in size";
    }
    if (problem.kind == SearchProblem::Kind::RatioZero) {
        return subject + " must not be 0";
    }
    return subject + " " + shown + " is " + why;
}

std::string positionProblemText(const PositionProblem& problem, Language language) {
    using Kind = PositionProblem::Kind;
    const std::string number = std::to_string(problem.index + 1);
    switch (problem.kind) {
    case Kind::NoPositions:
        return inLanguage(language, "没有给出进给箱的手柄位置，无法选配。",
                          "no gearbox positions are given");
    case Kind::NoName:
        return inLanguage(language, "进给箱的第 " + number + " 个手柄位置没有名称，无法选配。",
                          "gearbox position " + number + " has no name");
    case Kind::SameName:
        return printableText(
            inLanguage(language, "进给箱的手柄位置“" + problem.name + "”出现了两次，无法选配。",
                       "the gearbox position \"" + problem.name + "\" is given twice"));
    case Kind::RatioNotPositive:
        return printableText(inLanguage(
            language, "进给箱手柄位置“" + problem.name + "”的速比必须是大于 0 的有限数，无法选配。",
            "the ratio of gearbox position \"" + problem.name +
                "\" must be a finite number above 0"));
    }
    return inLanguage(language, "无法按这些手柄位置选配。",
                      "the gearbox positions cannot be searched");
}

std::string geometryProblemText(const GeometryProblem& problem, Language language) {
    using Kind = GeometryProblem::Kind;
    const std::string value = shortest(problem.value);
    const std::string most = std::to_string(static_cast<long long>(kMaxGeometryValue));
    // "<what> must be above 0 and at most 1000000, not <value>".
    const auto withinLimit = [&](const std::string& chinese, const std::string& english) {
        return inLanguage(language,
                          chinese + "必须大于 0 且不超过 " + most + "，这里是 " + value + "。",
                          english + " must be above 0 and at most " + most + ", not " + value);
    };
    switch (problem.kind) {
    case Kind::ModuleOutOfRange:
        return withinLimit("模数或径节", "the module or diametral pitch");
    case Kind::CentreOutOfRange:
        return withinLimit("中心距", "the centre distance");
    case Kind::StudOutOfRange:
        return inLanguage(language,
                          "中间轴到从动轴的距离必须在 0 到 " + most + " mm 之间，这里是 " + value +
                              "。",
                          "a stud distance must be between 0 and " + most + " mm, not " + value);
    case Kind::StudReversed:
        return inLanguage(language, "中间轴的最小距离 " + value + " 大于它的最大距离。",
                          "the stud's smallest distance " + value + " exceeds its largest");
    case Kind::MaxDiameterOutOfRange:
        return withinLimit("挂轮罩下的最大外径", "the largest outside diameter");
    }
    return inLanguage(language, "机床的挂轮位置尺寸不能使用。",
                      "the machine's geometry cannot be used");
}

} // namespace gearsel
