#include "tools/cli/pitch_text.h"

#include "tools/cli/exact_number.h"
#include "tools/cli/strict_number.h"

#include <algorithm>
#include <string>

namespace gearsel::cli {

Pitch parsePitch(std::string_view text, std::string_view what) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    const std::string_view t = trimmed(lower);

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
        throw UsageError{std::string(what) + " '" + std::string(text) +
                         "' needs a unit: 1.5mm, 20tpi, m2 (module) or dp16 (diametral pitch)"};
    }
    try {
        return Pitch{parseExactNumber(number, what), unit};
    } catch (const UsageError&) {
        throw UsageError{std::string(what) + " '" + std::string(text) +
                         "' is not a number with a unit, e.g. 1.5mm, 20tpi, m2 or dp16"};
    }
}

} // namespace gearsel::cli
