// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/pitch_notation.h"

#include "base/trim.h"

#include "engine/quantity_text.h"
#include "engine/value_problem.h"

#include <algorithm>
#include <utility>

namespace gearsel {

namespace {

// The coarse pitches of ISO metric threads from M1 to M64 (ISO 261), by nominal diameter.
constexpr std::pair<std::string_view, std::string_view> kCoarsePitches[] = {
    {"1", "0.25"}, {"1.2", "0.25"}, {"1.4", "0.3"},  {"1.6", "0.35"}, {"1.8", "0.35"},
    {"2", "0.4"},  {"2.2", "0.45"}, {"2.5", "0.45"}, {"3", "0.5"},    {"3.5", "0.6"},
    {"4", "0.7"},  {"4.5", "0.75"}, {"5", "0.8"},    {"6", "1"},      {"7", "1"},
    {"8", "1.25"}, {"10", "1.5"},   {"12", "1.75"},  {"14", "2"},     {"16", "2"},
    {"18", "2.5"}, {"20", "2.5"},   {"22", "2.5"},   {"24", "3"},     {"27", "3"},
    {"30", "3.5"}, {"33", "3.5"},   {"36", "4"},     {"39", "4"},     {"42", "4.5"},
    {"45", "4.5"}, {"48", "5"},     {"52", "5"},     {"56", "5.5"},   {"60", "5.5"},
    {"64", "6"}};

bool isDecimalDigits(std::string_view text) {
    return !text.empty() && text.front() != '.' && text.back() != '.' &&
           std::count(text.begin(), text.end(), '.') <= 1 &&
           std::all_of(text.begin(), text.end(),
                       [](char c) { return c == '.' || (c >= '0' && c <= '9'); });
}

} // namespace

std::optional<ThreadName> readThreadName(std::string_view text) {
    const std::string_view t = trimmed(text);
    if (!t.starts_with('M')) {
        return std::nullopt;
    }
    std::string_view rest = t.substr(1);
    std::string_view fine;
    for (const std::string_view times : {"x", "X", "×"}) {
        if (const auto at = rest.find(times); at != std::string_view::npos) {
            fine = trimmed(rest.substr(at + times.size()));
            rest = rest.substr(0, at);
            break;
        }
    }
    ThreadName name;
    name.diameter = trimmed(rest);
    if (!isDecimalDigits(name.diameter)) {
        return std::nullopt;
    }
    if (isDecimalDigits(fine)) {
        name.pitch = std::string(fine) + "mm";
        name.fine = true;
        return name;
    }
    for (const auto& [size, pitch] : kCoarsePitches) {
        if (size == name.diameter) {
            name.pitch = std::string(pitch) + "mm";
        }
    }
    return name;
}

Pitch readPitch(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    const std::string_view t = trimmed(lower);
    const auto refused = [&](ValueProblem::Kind kind) {
        return ValueRefused({kind, std::string(text)});
    };

    // Suffixes first, so that "1.5mm" is not read as a module.
    PitchUnit unit = PitchUnit::Millimetre;
    std::string_view number;
    if (t.ends_with("mm")) {
        number = t.substr(0, t.size() - 2);
    } else if (t.ends_with("tpi")) {
        unit = PitchUnit::ThreadsPerInch;
        number = t.substr(0, t.size() - 3);
    } else if (t.starts_with("dp")) {
        unit = PitchUnit::DiametralPitch;
        number = t.substr(2);
    } else if (t.starts_with("m")) {
        if (auto thread = readThreadName(text)) {
            ValueProblem problem{ValueProblem::Kind::PitchNamesThread, std::string(text)};
            problem.thread = std::move(thread);
            throw ValueRefused(std::move(problem));
        }
        unit = PitchUnit::Module;
        number = t.substr(1);
    } else {
        throw refused(ValueProblem::Kind::PitchWithoutUnit);
    }
    try {
        return Pitch{readQuantity(number), unit};
    } catch (const ValueRefused& e) {
        // With digits in it the number was meant as one: say what is wrong with it.
        if (std::any_of(number.begin(), number.end(),
                        [](char c) { return c >= '0' && c <= '9'; })) {
            ValueProblem problem = e.problem();
            problem.within = std::string(text);
            throw ValueRefused(std::move(problem));
        }
        throw refused(ValueProblem::Kind::PitchWithoutNumber);
    }
}

std::string pitchText(const Pitch& pitch) {
    const std::string amount = quantityText(pitch.amount);
    switch (pitch.unit) {
    case PitchUnit::Millimetre:
        return amount + "mm";
    case PitchUnit::ThreadsPerInch:
        return amount + "tpi";
    case PitchUnit::Module:
        return "m" + amount;
    case PitchUnit::DiametralPitch:
        return "dp" + amount;
    }
    return amount;
}

} // namespace gearsel
