// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/pitch_text.h"

#include "engine/pitch_notation.h"
#include "tools/cli/refused_value.h"

namespace gearsel::cli {

Pitch parsePitch(std::string_view text, std::string_view what) {
    return readOrRefuse(what, [&] { return readPitch(text); });
}

} // namespace gearsel::cli
