// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/formula_form.h"

#include "base/trim.h"
#include "engine/pitch_notation.h"
#include "engine/quantity_text.h"
#include "engine/search_request.h"
#include "present/constant_text.h"
#include "present/search_problem_text.h"
#include "present/value_problem_text.h"

#include <charconv>
#include <cstdio>
#include <stdexcept>

namespace gearsel {

namespace {

// A field that cannot be used: the message is the sentence shown to the user.
struct FieldProblem {
    std::string message;
};

// One of the command line's English phrases ("the leadscrew pitch is not known") as the
// helper's sentence: capitalized, with its full stop.
std::string englishSentence(std::string phrase) {
    if (!phrase.empty() && phrase.front() >= 'a' && phrase.front() <= 'z') {
        phrase.front() = static_cast<char>(phrase.front() - 'a' + 'A');
    }
    return phrase + ".";
}

// "label" without its closing colon (full-width or not), for sentences about the field.
std::string nameOf(const FormField& field) {
    const std::string& label = field.label;
    for (const std::string colon : {"：", ":"}) {
        if (label.size() >= colon.size() &&
            label.compare(label.size() - colon.size(), colon.size(), colon) == 0) {
            return label.substr(0, label.size() - colon.size());
        }
    }
    return label;
}

// A whole number of at least 1 (starts, tooth counts, divisions).
int readCount(const std::string& text, const FormField& field, Language language) {
    const std::string t(trimmed(text));
    int value = 0;
    const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || error != std::errc() || end != t.data() + t.size() || value < 1) {
        throw FieldProblem{inLanguage(language, nameOf(field) + "必须是不小于 1 的整数。",
                                      nameOf(field) + " must be a whole number of at least 1.")};
    }
    return value;
}

// A number above 0, as a decimal or p/q.
Quantity readPositive(const std::string& text, const std::string& name, Language language) {
    const std::string t(trimmed(text));
    if (t.empty()) {
        throw FieldProblem{
            inLanguage(language, "请填写" + name + "。", "Please fill in " + name + ".")};
    }
    try {
        Quantity value = readQuantity(t);
        if (value.value() > 0.0) {
            return value;
        }
    } catch (const ValueRefused&) {
        throw FieldProblem{inLanguage(language,
                                      name + "“" + t + "”不是一个数（可写成 1.25 或 3/2）。",
                                      name + " \"" + t + "\" is no number (write 1.25 or 3/2).")};
    }
    throw FieldProblem{
        inLanguage(language, name + "必须大于 0。", name + " must be greater than 0.")};
}

Pitch readJobPitch(const std::string& text, const FormField& field, Language language) {
    const std::string t(trimmed(text));
    if (t.empty()) {
        throw FieldProblem{inLanguage(language, "请填写" + nameOf(field) + "。",
                                      "Please fill in " + nameOf(field) + ".")};
    }
    const Pitch pitch = [&] {
        try {
            return readPitch(t);
        } catch (const ValueRefused&) {
            if (auto problem = threadNameProblem(t, language)) {
                throw FieldProblem{*problem};
            }
            throw FieldProblem{inLanguage(
                language, nameOf(field) + "“" + t + "”无法识别：" + field.hint + "。",
                nameOf(field) + " \"" + t + "\" is not understood: " + field.hint + ".")};
        }
    }();
    if (pitch.amount.value() <= 0.0) {
        throw FieldProblem{inLanguage(language, nameOf(field) + "必须大于 0。",
                                      nameOf(field) + " must be greater than 0.")};
    }
    return pitch;
}

// What the surfaces say of one input of a formula.
struct InputWords {
    std::string_view input;             // the registry's name of the input
    std::string_view help;              // the command line's help of its option
    std::string_view label = {};        // the helper's field, for a job's field: its label,
    std::string_view startText = {};    // its text when the helper opens
    std::string_view hint = {};         // and its hint,
    std::string_view englishLabel = {}; // and the label and hint in English
    std::string_view englishHint = {};
};

// What the surfaces say of one formula of the registry.
struct FormulaWords {
    Formula formula;
    std::string_view title;    // the helper's page
    std::string_view equation; // the formula with its symbols, on the page
    std::string_view help;     // the command line's subcommand
    std::vector<InputWords> inputs;
    std::string_view englishTitle; // the page's title and formula in English
    std::string_view englishEquation;
};

const std::vector<FormulaWords>& formulaWords() {
    static const std::vector<FormulaWords> words = {
        {Formula::Thread,
         "车螺纹",
         "i = 螺距 × 头数 ÷ (丝杠螺距 × 进给箱速比)；英制螺纹的螺距为 25.4/每英寸牙数 mm，"
         "模数蜗杆为 π·m mm，径节蜗杆为 25.4·π/DP mm",
         "Thread on a lathe: i = pitch x starts / (leadscrew x gearbox)",
         {{"pitch",
           "Pitch of the thread: 1.5mm, 20tpi, or a worm's module m2 or diametral pitch dp16",
           "螺距：", "1.5mm", "如 1.5mm、20tpi、模数蜗杆 m2 或径节蜗杆 dp16",
           "Pitch:", "e.g. 1.5mm, 20tpi, a module worm m2 or a diametral pitch worm dp16"},
          {"starts", "Number of starts of the thread (default 1)", "头数：", "1", "单线螺纹为 1",
           "Starts:", "1 for a single-start thread"},
          {"leadscrew", "Pitch of the lathe's leadscrew: 6mm or 4tpi"},
          {"gearbox", "Ratio of the feed gearbox between the train and the leadscrew (default 1)"}},
         "Thread",
         "i = pitch × starts ÷ (leadscrew × gearbox ratio); an inch thread's pitch is "
         "25.4/TPI mm, a module worm's π·m mm, a diametral pitch worm's 25.4·π/DP mm"},
        {Formula::HobIndex,
         "滚齿分度",
         "i = K × k ÷ z；K 为分度常数，k 为滚刀头数，z 为工件齿数",
         "Index train of a hobbing machine: i = K x k / z",
         {{"k", "The machine's index constant K"},
          {"teeth", "Tooth count z of the workpiece", "工件齿数 z：", "40", "要加工的齿轮齿数",
           "Workpiece teeth z:", "the tooth count of the gear to cut"},
          {"starts", "Number of starts of the hob (default 1)", "滚刀头数 k：", "1", "单头滚刀为 1",
           "Hob starts k:", "1 for a single-start hob"}},
         "Hob indexing",
         "i = K × k ÷ z; K is the index constant, k the hob's starts, z the workpiece's teeth"},
        {Formula::HobDifferential,
         "滚齿差动",
         "i = C × sin β ÷ (mn × k)；C 为差动常数，β 为螺旋角，mn 为法向模数，k 为滚刀头数",
         "Differential train of a hobbing machine: i = C x sin(helix) / (module x k)",
         {{"c", "The machine's differential constant C"},
          {"helix", "Helix angle in degrees, above 0 and below 90", "螺旋角 β（度）：", "15",
           "如 15 或 8.5", "Helix angle β (degrees):", "e.g. 15 or 8.5"},
          {"module", "Normal module mn of the workpiece", "法向模数 mn：", "2", "如 2 或 2.5",
           "Normal module mn:", "e.g. 2 or 2.5"},
          {"starts", "Number of starts of the hob (default 1)", "滚刀头数 k：", "1", "单头滚刀为 1",
           "Hob starts k:", "1 for a single-start hob"}},
         "Hob differential",
         "i = C × sin β ÷ (mn × k); C is the differential constant, β the helix angle, mn the "
         "normal module, k the hob's starts"},
        {Formula::DividingHead,
         "分度头差动分度",
         "i = N × (z′ − z) ÷ z′；N 为分度头定数，z 为要求等分数，z′ 为分度盘上的近似等分数；"
         "速比为负时分度盘与手柄转向相反",
         "Differential indexing on a dividing head: i = N x (z' - z) / z'",
         {{"n", "Worm ratio N of the dividing head, e.g. 40"},
          {"teeth", "Number of divisions z wanted", "等分数 z：", "61", "要求的等分数",
           "Divisions z:", "the number of divisions wanted"},
          {"approx", "The number z' indexed on the plate instead (not z)", "近似等分数 z′：", "60",
           "能简单分度的相近等分数",
           "Near divisions z′:", "a near number the plate indexes simply"}},
         "Differential indexing",
         "i = N × (z′ − z) ÷ z′; N is the dividing head's ratio, z the divisions wanted, z′ the "
         "near divisions on the plate; a negative ratio turns the plate against the crank"},
    };
    return words;
}

const FormulaWords& wordsOf(Formula formula) {
    for (const FormulaWords& words : formulaWords()) {
        if (words.formula == formula) {
            return words;
        }
    }
    throw std::invalid_argument("a formula without words");
}

const InputWords& wordsOf(Formula formula, std::string_view input) {
    for (const InputWords& words : wordsOf(formula).inputs) {
        if (words.input == input) {
            return words;
        }
    }
    throw std::invalid_argument("an input without words");
}

// The job's fields read from their texts as the registry says, then the formula worked out.
Quantity workOut(Formula formula, const std::vector<std::string>& texts,
                 const MachineConstants& constants, Language language) {
    const FormulaEntry& entry = formulaEntry(formula);
    const std::vector<FormulaInput> inputs = jobFields(entry);
    const FormulaForm form = formulaForm(formula, language);
    if (texts.size() != inputs.size()) {
        throw std::invalid_argument("the form has " + std::to_string(inputs.size()) + " fields");
    }
    std::vector<FormulaValue> values;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const FormField& field = form.fields[i];
        switch (inputs[i].kind) {
        case InputKind::Pitch:
            values.emplace_back(readJobPitch(texts[i], field, language));
            break;
        case InputKind::Count:
            values.emplace_back(readCount(texts[i], field, language));
            break;
        case InputKind::Number:
            values.emplace_back(readPositive(texts[i], nameOf(field), language));
            break;
        }
    }
    try {
        return workOutFormula(entry, values, constants);
    } catch (const ValueRefused& refused) {
        // A constant the box leaves empty, or what the formula refuses beyond the fields' own
        // rules (a helix angle of 90 degrees, z' = z).
        const std::string problem = valueProblemText(refused.problem(), language);
        throw FieldProblem{inLanguage(language, problem + "。", englishSentence(problem))};
    }
}

// The rule every surface applies to a ratio before it is searched.
Quantity usable(const Quantity& ratio, Language language) {
    if (const auto problem = findRatioProblem(ratio.value())) {
        const std::string text =
            unusableRatioText(*problem, "the ratio", ratio.value(), true, language);
        throw FieldProblem{language == Language::English ? englishSentence(text) : text};
    }
    return ratio;
}

} // namespace

FormulaForm formulaForm(Formula formula, Language language) {
    const FormulaWords& words = wordsOf(formula);
    const bool english = language == Language::English;
    FormulaForm form{std::string(english ? words.englishTitle : words.title),
                     std::string(english ? words.englishEquation : words.equation),
                     {}};
    for (const FormulaInput& input : jobFields(formulaEntry(formula))) {
        const InputWords& field = wordsOf(formula, input.name);
        form.fields.push_back({std::string(english ? field.englishLabel : field.label),
                               std::string(field.startText),
                               std::string(english ? field.englishHint : field.hint)});
    }
    return form;
}

std::string formulaHelp(Formula formula) {
    return std::string(wordsOf(formula).help);
}

std::string inputHelp(Formula formula, std::string_view input) {
    return std::string(wordsOf(formula, input).help);
}

FormulaOutcome workOutRatio(Formula formula, const std::vector<std::string>& fieldTexts,
                            const MachineConstants& constants, Language language) {
    try {
        return {usable(workOut(formula, fieldTexts, constants, language), language), {}};
    } catch (const FieldProblem& problem) {
        return {std::nullopt, problem.message};
    }
}

std::optional<std::string> threadNameProblem(std::string_view text, Language language) {
    const auto thread = readThreadName(text);
    if (!thread) {
        return std::nullopt;
    }
    const std::string sentence = threadNameText(std::string(text), *thread, language);
    return inLanguage(language, sentence + "。", englishSentence(sentence));
}

std::string constantHint(ConstantKey key, Language language) {
    switch (key) {
    case ConstantKey::Leadscrew:
        return inLanguage(language, "如 6mm 或 4tpi", "e.g. 6mm or 4tpi");
    case ConstantKey::GearboxRatio:
        return inLanguage(language, "如 1 或 3/2，空着为 1", "e.g. 1 or 3/2; empty for 1");
    case ConstantKey::IndexConstant:
        return inLanguage(language, "如 24", "e.g. 24");
    case ConstantKey::DifferentialConstant:
        return inLanguage(language, "如 7.95775", "e.g. 7.95775");
    case ConstantKey::HeadRatio:
        return inLanguage(language, "如 40", "e.g. 40");
    }
    return {};
}

ConstantsReading readConstantTexts(const std::array<std::string, kConstantKeys.size()>& texts,
                                   Language language) {
    ConstantsReading reading;
    for (std::size_t i = 0; i < kConstantKeys.size(); ++i) {
        const ConstantKey key = kConstantKeys[i];
        const std::string text(trimmed(texts[i]));
        if (text.empty()) {
            continue;
        }
        try {
            setConstantText(reading.constants, key, text);
        } catch (const ValueRefused&) {
            const std::string label = constantLabel(key, language);
            reading.problem = inLanguage(language,
                                         "机床常数“" + label + "”的值“" + text + "”不能使用，" +
                                             constantHint(key, language) + "，且必须大于 0。",
                                         "The " + captionInSentence(label) + " \"" + text +
                                             "\" cannot be used: " + constantHint(key, language) +
                                             ", and it must be greater than 0.");
            return reading;
        }
    }
    return reading;
}

std::string turnDirectionText(const Quantity& ratio, bool dividingHead, Language language) {
    const bool negative = ratio.value() < 0.0;
    if (dividingHead) {
        return negative
                   ? inLanguage(language,
                                "速比为负：分度盘与手柄转向相反（用惰轮调整转向），挂轮按 |i| 选配",
                                "Negative ratio: the plate turns against the crank (set the "
                                "direction with an idler); the train is selected for |i|")
                   : inLanguage(language, "速比为正：分度盘与手柄转向相同",
                                "Positive ratio: the plate turns with the crank");
    }
    return negative
               ? inLanguage(language, "速比为负：从动轴反向转动（用惰轮调整转向），挂轮按 |i| 选配",
                            "Negative ratio: the driven shaft turns backwards (set the "
                            "direction with an idler); the train is selected for |i|")
               : "";
}

std::string ratioResultText(const Quantity& ratio) {
    char decimal[40];
    std::snprintf(decimal, sizeof decimal, "%.17g", ratio.value());
    return ratio.fraction() ? ratio.fraction()->text() + " = " + decimal : decimal;
}

} // namespace gearsel
