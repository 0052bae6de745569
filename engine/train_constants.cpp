// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/train_constants.h"

#include "base/trim.h"
#include "engine/quantity_text.h"

#include "engine/number_text.h"
#include <algorithm>

#include <charconv>
#include <stdexcept>
#include <variant>

namespace gearsel {

namespace {

using Problem = ConstantProblem;
using Kind = ConstantProblem::Kind;

// A length or pitch: above 0 (or at 0, where `zeroTaken`) and at most kMaxGeometryValue.
std::variant<double, Problem> readLength(TrainConstantKey key, std::string_view text,
                                         bool zeroTaken = false) {
    const auto value = readDecimal(text);
    if (!value) {
        return Problem{key, Kind::Unreadable};
    }
    if (!(zeroTaken ? *value >= 0.0 : *value > 0.0) || *value > kMaxGeometryValue) {
        return Problem{key, Kind::OutOfRange, *value};
    }
    return *value;
}

// A whole number of digits only, blanks around it allowed, within [low, high].
std::variant<int, Problem> readWhole(TrainConstantKey key, std::string_view text, int low,
                                     int high) {
    const std::string_view t = trimmed(text);
    long long value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || t.front() == '-' || ec != std::errc() || end != t.data() + t.size()) {
        return Problem{key, Kind::Unreadable};
    }
    if (value < low || value > high) {
        return Problem{key, Kind::OutOfRange, static_cast<double>(value)};
    }
    return static_cast<int>(value);
}

// "min-max": the '-' that splits them is the first one after a digit or a blank, so that
// neither a minus sign nor an exponent's ("1e-3") is taken for it.
std::variant<StudRange, Problem> readStud(std::string_view text) {
    const TrainConstantKey key = TrainConstantKey::Stud;
    std::size_t dash = std::string_view::npos;
    for (std::size_t at = 1; at < text.size() && dash == std::string_view::npos; ++at) {
        const char before = text[at - 1];
        if (text[at] == '-' && ((before >= '0' && before <= '9') || before == '.' ||
                                before == ' ' || before == '\t')) {
            dash = at;
        }
    }
    if (dash == std::string_view::npos) {
        return Problem{key, Kind::Unreadable};
    }
    StudRange range;
    for (auto [part, bound] : {std::pair{text.substr(0, dash), &range.min},
                               std::pair{text.substr(dash + 1), &range.max}}) {
        auto length = readLength(key, part, true);
        if (const auto* problem = std::get_if<Problem>(&length)) {
            return *problem;
        }
        *bound = std::get<double>(length);
    }
    if (range.min > range.max) {
        return Problem{key, Kind::Reversed, range.min};
    }
    return range;
}

// "name=ratio" entries separated by commas.
std::variant<std::vector<GearboxPosition>, Problem> readPositions(std::string_view text) {
    const TrainConstantKey key = TrainConstantKey::GearboxPositions;
    std::vector<GearboxPosition> positions;
    for (std::size_t start = 0, index = 0; start <= text.size(); ++index) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view entry = text.substr(start, comma - start);
        start = comma + 1;
        const std::size_t equals = entry.find('=');
        if (equals == std::string_view::npos) {
            return Problem{key, Kind::Unreadable, 0.0, index};
        }
        try {
            positions.push_back({std::string(trimmed(entry.substr(0, equals))),
                                 readQuantity(entry.substr(equals + 1))});
        } catch (const std::invalid_argument&) {
            return Problem{key, Kind::Unreadable, 0.0, index};
        }
    }
    if (const auto problem = findPositionProblem(positions)) {
        return Problem{key, Kind::Positions, 0.0, problem->index, *problem};
    }
    return positions;
}

// Sets `field` from `read`, a value or a problem; returns the problem.
template <class Field, class Value>
std::optional<Problem> assign(Field& field, std::variant<Value, Problem> read) {
    if (auto* problem = std::get_if<Problem>(&read)) {
        return *problem;
    }
    field = std::get<Value>(std::move(read));
    return std::nullopt;
}

} // namespace

const char* constantName(TrainConstantKey key) {
    switch (key) {
    case TrainConstantKey::Module:
        return "module";
    case TrainConstantKey::DiametralPitch:
        return "dp";
    case TrainConstantKey::Centre:
        return "centre";
    case TrainConstantKey::Stud:
        return "stud";
    case TrainConstantKey::MaxDiameter:
        return "max_diameter";
    case TrainConstantKey::Pairs:
        return "pairs";
    case TrainConstantKey::FirstGear:
        return "first";
    case TrainConstantKey::LastGear:
        return "last";
    case TrainConstantKey::UseOnce:
        return "use_once";
    case TrainConstantKey::GearboxPositions:
        break;
    }
    return "gearbox_positions";
}

std::optional<TrainConstantKey> trainConstantKeyNamed(std::string_view name) {
    for (const TrainConstantKey key : kTrainConstantKeys) {
        if (name == constantName(key)) {
            return key;
        }
    }
    return std::nullopt;
}

std::optional<std::string> constantText(const MachineConstants& constants, TrainConstantKey key) {
    const auto length = [](const std::optional<double>& value) {
        return value ? std::optional(shortestText(*value)) : std::nullopt;
    };
    const auto whole = [](const std::optional<int>& value) {
        return value ? std::optional(std::to_string(*value)) : std::nullopt;
    };
    const auto pitch = [&](ToothSize::Unit unit) -> std::optional<std::string> {
        const auto& size = constants.toothSize;
        return size && size->unit == unit ? std::optional(shortestText(size->value)) : std::nullopt;
    };
    switch (key) {
    case TrainConstantKey::Module:
        return pitch(ToothSize::Unit::Module);
    case TrainConstantKey::DiametralPitch:
        return pitch(ToothSize::Unit::DiametralPitch);
    case TrainConstantKey::Centre:
        return length(constants.centre);
    case TrainConstantKey::Stud:
        return constants.stud ? std::optional(shortestText(constants.stud->min) + "-" +
                                              shortestText(constants.stud->max))
                              : std::nullopt;
    case TrainConstantKey::MaxDiameter:
        return length(constants.maxDiameter);
    case TrainConstantKey::Pairs:
        return whole(constants.pairs);
    case TrainConstantKey::FirstGear:
        return whole(constants.firstGear);
    case TrainConstantKey::LastGear:
        return whole(constants.lastGear);
    case TrainConstantKey::UseOnce:
        return constants.useOnce ? std::optional<std::string>(*constants.useOnce ? "yes" : "no")
                                 : std::nullopt;
    case TrainConstantKey::GearboxPositions:
        break;
    }
    if (!constants.gearboxPositions) {
        return std::nullopt;
    }
    std::string text;
    for (const GearboxPosition& position : *constants.gearboxPositions) {
        text += (text.empty() ? "" : ",") + position.name + "=" + quantityText(position.ratio);
    }
    return text;
}

std::optional<ConstantProblem> setTrainConstantText(MachineConstants& constants,
                                                    TrainConstantKey key, std::string_view text) {
    using Unit = ToothSize::Unit;
    const auto toothSize = [&](Unit unit) -> std::optional<Problem> {
        auto value = readLength(key, text);
        if (const auto* problem = std::get_if<Problem>(&value)) {
            return *problem;
        }
        constants.toothSize = ToothSize{unit, std::get<double>(value)};
        return std::nullopt;
    };
    switch (key) {
    case TrainConstantKey::Module:
        return toothSize(Unit::Module);
    case TrainConstantKey::DiametralPitch:
        return toothSize(Unit::DiametralPitch);
    case TrainConstantKey::Centre:
        return assign(constants.centre, readLength(key, text));
    case TrainConstantKey::Stud:
        return assign(constants.stud, readStud(text));
    case TrainConstantKey::MaxDiameter:
        return assign(constants.maxDiameter, readLength(key, text));
    case TrainConstantKey::Pairs:
        return assign(constants.pairs, readWhole(key, text, 2, 3));
    case TrainConstantKey::FirstGear:
        return assign(constants.firstGear, readWhole(key, text, kMinTeeth, kMaxTeeth));
    case TrainConstantKey::LastGear:
        return assign(constants.lastGear, readWhole(key, text, kMinTeeth, kMaxTeeth));
    case TrainConstantKey::UseOnce: {
        const std::string_view answer = trimmed(text);
        if (answer != "yes" && answer != "no") {
            return Problem{key, Kind::Unreadable};
        }
        constants.useOnce = answer == "yes";
        return std::nullopt;
    }
    case TrainConstantKey::GearboxPositions:
        break;
    }
    return assign(constants.gearboxPositions, readPositions(text));
}

void clearConstant(MachineConstants& constants, TrainConstantKey key) {
    switch (key) {
    case TrainConstantKey::Module:
    case TrainConstantKey::DiametralPitch:
        // Only the key that the tooth size is given in clears it.
        if (constantText(constants, key)) {
            constants.toothSize.reset();
        }
        return;
    case TrainConstantKey::Centre:
        constants.centre.reset();
        return;
    case TrainConstantKey::Stud:
        constants.stud.reset();
        return;
    case TrainConstantKey::MaxDiameter:
        constants.maxDiameter.reset();
        return;
    case TrainConstantKey::Pairs:
        constants.pairs.reset();
        return;
    case TrainConstantKey::FirstGear:
        constants.firstGear.reset();
        return;
    case TrainConstantKey::LastGear:
        constants.lastGear.reset();
        return;
    case TrainConstantKey::UseOnce:
        constants.useOnce.reset();
        return;
    case TrainConstantKey::GearboxPositions:
        break;
    }
    constants.gearboxPositions.reset();
}

std::optional<MachineGeometry> machineGeometry(const MachineConstants& constants) {
    if (!constants.toothSize || !constants.centre) {
        return std::nullopt;
    }
    return MachineGeometry{*constants.toothSize, *constants.centre, constants.stud,
                           constants.maxDiameter};
}

int trainPairs(const MachineConstants& constants) {
    return constants.pairs.value_or(2);
}

SearchRequest withTrainConstants(SearchRequest request, const MachineConstants& constants,
                                 bool fitOnly) {
    if (constants.firstGear) {
        request.firstDriver = constants.firstGear;
    }
    if (constants.lastGear) {
        request.lastDriven = constants.lastGear;
    }
    if (constants.useOnce) {
        request.useOnce = *constants.useOnce;
    }
    if (fitOnly) {
        request.fitGeometry = machineGeometry(constants);
    }
    return request;
}

} // namespace gearsel
