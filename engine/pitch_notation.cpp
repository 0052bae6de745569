#include "engine/pitch_notation.h"

#include "base/trim.h"

#include "engine/quantity_text.h"

#include <algorithm>
#include <stdexcept>

namespace gearsel {

Pitch readPitch(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    const std::string_view t = trimmed(lower);
    const std::string named = "'" + std::string(text) + "'";

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
        unit = PitchUnit::Module;
        number = t.substr(1);
    } else {
        throw std::invalid_argument(
            named + " needs a unit: 1.5mm, 20tpi, m2 (module) or dp16 (diametral pitch)");
    }
    try {
        return Pitch{readQuantity(number), unit};
    } catch (const std::invalid_argument&) {
        throw std::invalid_argument(named +
                                    " is not a number with a unit, e.g. 1.5mm, 20tpi, m2 or dp16");
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
