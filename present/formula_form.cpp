// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/formula_form.h"

#include "base/trim.h"
#include "engine/pitch_notation.h"
#include "engine/quantity_text.h"
#include "engine/ratio_formula.h"
#include "engine/search_request.h"

#include <charconv>
#include <cstdio>
#include <stdexcept>

namespace gearsel {

namespace {

// A field that cannot be used: the message is the sentence shown to the user.
struct FieldProblem {
    std::string message;
};

// "label" without its closing colon, for sentences about the field.
std::string nameOf(const FormField& field) {
    const std::string colon = "：";
    const std::string& label = field.label;
    if (label.size() >= colon.size() &&
        label.compare(label.size() - colon.size(), colon.size(), colon) == 0) {
        return label.substr(0, label.size() - colon.size());
    }
    return label;
}

// A whole number of at least 1 (starts, tooth counts, divisions).
int readCount(const std::string& text, const FormField& field) {
    const std::string t(trimmed(text));
    int value = 0;
    const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || error != std::errc() || end != t.data() + t.size() || value < 1) {
        throw FieldProblem{nameOf(field) + "必须是不小于 1 的整数。"};
    }
    return value;
}

// A number above 0, as a decimal or p/q.
Quantity readPositive(const std::string& text, const std::string& name) {
    const std::string t(trimmed(text));
    if (t.empty()) {
        throw FieldProblem{"请填写" + name + "。"};
    }
    try {
        Quantity value = readQuantity(t);
        if (value.value() > 0.0) {
            return value;
        }
    } catch (const std::invalid_argument&) {
        throw FieldProblem{name + "“" + t + "”不是一个数（可写成 1.25 或 3/2）。"};
    }
    throw FieldProblem{name + "必须大于 0。"};
}

Pitch readJobPitch(const std::string& text, const FormField& field) {
    const std::string t(trimmed(text));
    if (t.empty()) {
        throw FieldProblem{"请填写" + nameOf(field) + "。"};
    }
    const Pitch pitch = [&] {
        try {
            return readPitch(t);
        } catch (const std::invalid_argument&) {
            if (auto problem = threadNameProblem(t)) {
                throw FieldProblem{*problem};
            }
            throw FieldProblem{nameOf(field) + "“" + t + "”无法识别：" + field.hint + "。"};
        }
    }();
    if (pitch.amount.value() <= 0.0) {
        throw FieldProblem{nameOf(field) + "必须大于 0。"};
    }
    return pitch;
}

template <typename T> const T& needed(const std::optional<T>& constant, ConstantKey key) {
    if (!constant) {
        throw FieldProblem{std::string("请先在机床常数中填写") + constantLabel(key) + "。"};
    }
    return *constant;
}

Quantity workOut(Formula formula, const std::vector<std::string>& texts,
                 const MachineConstants& constants) {
    const FormulaForm form = formulaForm(formula);
    if (texts.size() != form.fields.size()) {
        throw std::invalid_argument("the form has " + std::to_string(form.fields.size()) +
                                    " fields");
    }
    const auto& fields = form.fields;
    switch (formula) {
    case Formula::Thread: {
        const Pitch pitch = readJobPitch(texts[0], fields[0]);
        const int starts = readCount(texts[1], fields[1]);
        const Pitch& leadscrew = needed(constants.leadscrew, ConstantKey::Leadscrew);
        return threadRatio(pitch, starts, leadscrew,
                           constants.gearboxRatio.value_or(Quantity::whole(1)));
    }
    case Formula::HobIndex: {
        const int teeth = readCount(texts[0], fields[0]);
        const int starts = readCount(texts[1], fields[1]);
        return hobIndexRatio(needed(constants.indexConstant, ConstantKey::IndexConstant), starts,
                             teeth);
    }
    case Formula::HobDifferential: {
        const Quantity helix = readPositive(texts[0], nameOf(fields[0]));
        if (helix.value() >= 90.0) {
            throw FieldProblem{"螺旋角必须在 0 到 90 度之间（直齿轮不用差动挂轮）。"};
        }
        const Quantity module = readPositive(texts[1], nameOf(fields[1]));
        const int starts = readCount(texts[2], fields[2]);
        return hobDifferentialRatio(
            needed(constants.differentialConstant, ConstantKey::DifferentialConstant), helix,
            module, starts);
    }
    case Formula::DividingHead: {
        const int divisions = readCount(texts[0], fields[0]);
        const int approx = readCount(texts[1], fields[1]);
        if (approx == divisions) {
            throw FieldProblem{"近似等分数不能等于等分数：这样可以直接简单分度，不用差动挂轮。"};
        }
        return dividingHeadRatio(needed(constants.headRatio, ConstantKey::HeadRatio), divisions,
                                 approx);
    }
    }
    throw std::invalid_argument("unknown formula");
}

// The rule every surface applies to a ratio before it is searched.
Quantity usable(const Quantity& ratio) {
    if (const auto problem = findRatioProblem(ratio.value())) {
        throw FieldProblem{problem->kind == SearchProblem::Kind::RatioNotFinite
                               ? "算出的速比超出了数的范围，无法选配，请检查输入的数值。"
                               : "算出的速比太接近 0，相对精度无法计算，请检查输入的数值。"};
    }
    return ratio;
}

} // namespace

FormulaForm formulaForm(Formula formula) {
    switch (formula) {
    case Formula::Thread:
        return {"车螺纹",
                "i = 螺距 × 头数 ÷ (丝杠螺距 × 进给箱速比)；英制螺纹的螺距为 25.4/每英寸牙数 mm，"
                "模数蜗杆为 π·m mm，径节蜗杆为 25.4·π/DP mm",
                {{"螺距：", "1.5mm", "如 1.5mm、20tpi、模数蜗杆 m2 或径节蜗杆 dp16"},
                 {"头数：", "1", "单线螺纹为 1"}}};
    case Formula::HobIndex:
        return {
            "滚齿分度",
            "i = K × k ÷ z；K 为分度常数，k 为滚刀头数，z 为工件齿数",
            {{"工件齿数 z：", "40", "要加工的齿轮齿数"}, {"滚刀头数 k：", "1", "单头滚刀为 1"}}};
    case Formula::HobDifferential:
        return {"滚齿差动",
                "i = C × sin β ÷ (mn × k)；C 为差动常数，β 为螺旋角，mn 为法向模数，k 为滚刀头数",
                {{"螺旋角 β（度）：", "15", "如 15 或 8.5"},
                 {"法向模数 mn：", "2", "如 2 或 2.5"},
                 {"滚刀头数 k：", "1", "单头滚刀为 1"}}};
    case Formula::DividingHead:
        return {"分度头差动分度",
                "i = N × (z′ − z) ÷ z′；N 为分度头定数，z 为要求等分数，z′ 为分度盘上的近似等分数；"
                "速比为负时分度盘与手柄转向相反",
                {{"等分数 z：", "61", "要求的等分数"},
                 {"近似等分数 z′：", "60", "能简单分度的相近等分数"}}};
    }
    throw std::invalid_argument("unknown formula");
}

FormulaOutcome workOutRatio(Formula formula, const std::vector<std::string>& fieldTexts,
                            const MachineConstants& constants) {
    try {
        return {usable(workOut(formula, fieldTexts, constants)), {}};
    } catch (const FieldProblem& problem) {
        return {std::nullopt, problem.message};
    } catch (const std::invalid_argument& refused) {
        // The formulas' own refusals that the fields above do not already rule out.
        return {std::nullopt, std::string("无法计算速比：") + refused.what()};
    }
}

std::optional<std::string> threadNameProblem(std::string_view text) {
    const auto thread = readThreadName(text);
    if (!thread) {
        return std::nullopt;
    }
    std::string sentence =
        "“" + std::string(trimmed(text)) + "”是公制螺纹的代号，不是螺距：请填它的螺距" +
        (thread->pitch.empty() ? "（以 mm 为单位，如 1.5mm）" : " " + thread->pitch);
    if (!thread->fine) {
        sentence += "；模数为 " + thread->diameter + " 的蜗杆请写小写的 m" + thread->diameter;
    }
    return sentence + "。";
}

std::string constantHint(ConstantKey key) {
    switch (key) {
    case ConstantKey::Leadscrew:
        return "如 6mm 或 4tpi";
    case ConstantKey::GearboxRatio:
        return "如 1 或 3/2，空着为 1";
    case ConstantKey::IndexConstant:
        return "如 24";
    case ConstantKey::DifferentialConstant:
        return "如 7.95775";
    case ConstantKey::HeadRatio:
        return "如 40";
    }
    return {};
}

ConstantsReading readConstantTexts(const std::array<std::string, kConstantKeys.size()>& texts) {
    ConstantsReading reading;
    for (std::size_t i = 0; i < kConstantKeys.size(); ++i) {
        const ConstantKey key = kConstantKeys[i];
        const std::string text(trimmed(texts[i]));
        if (text.empty()) {
            continue;
        }
        try {
            setConstantText(reading.constants, key, text);
        } catch (const std::invalid_argument&) {
            reading.problem = std::string("机床常数“") + constantLabel(key) + "”的值“" + text +
                              "”不能使用，" + constantHint(key) + "，且必须大于 0。";
            return reading;
        }
    }
    return reading;
}

std::string turnDirectionText(const Quantity& ratio, bool dividingHead) {
    const bool negative = ratio.value() < 0.0;
    if (dividingHead) {
        return negative ? "速比为负：分度盘与手柄转向相反（用惰轮调整转向），挂轮按 |i| 选配"
                        : "速比为正：分度盘与手柄转向相同";
    }
    return negative ? "速比为负：从动轴反向转动（用惰轮调整转向），挂轮按 |i| 选配" : "";
}

std::string ratioResultText(const Quantity& ratio) {
    char decimal[40];
    std::snprintf(decimal, sizeof decimal, "%.17g", ratio.value());
    return ratio.fraction() ? ratio.fraction()->text() + " = " + decimal : decimal;
}

} // namespace gearsel
