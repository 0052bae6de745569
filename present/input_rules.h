// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The silent corrections of the window's input fields, kept apart from the widgets so that
// they can be checked without a window: the required ratio, the shaft value Zn and the
// number of listed trains.

#include "engine/ratio_range.h"

#include <optional>
#include <string>
#include <string_view>

namespace gearsel {

// Zn is kept from 5 to 40 when its field loses the focus.
inline constexpr int kMinZn = 5;
inline constexpr int kMaxZn = 40;
// The number of listed trains is kept from 1 to this when its field loses the focus; the run
// and the empty grid read the field through the same bounds.
inline constexpr int kMaxListedTrains = 999;
// A required ratio that reads as 0 becomes this before it is brought into range.
inline constexpr double kFallbackRatio = 0.12345;

struct RatioCorrection {
    double value = 0.0; // the required ratio from now on
    std::string text;   // the field's new text, five decimals
};

// The ratio field's correction: 0 (or no number) becomes 0.12345, a value outside the
// reachable range moves 0.00001 inside the bound it crossed (keeping its sign), and the text
// is rewritten with five decimals. Without a range (no gears) only the first and last steps
// apply.
RatioCorrection correctRequiredRatio(std::string_view text, const std::optional<RatioRange>& range);
// The same for a value that was worked out rather than typed.
RatioCorrection correctRequiredRatio(double value, const std::optional<RatioRange>& range);

struct ZnCorrection {
    int zn = kMinZn;                 // the value in use
    std::optional<std::string> text; // the field's new text, when it had to change
};

// Zn while the field is being typed: the text's value rounded, held inside 16 bits.
int znWhileTyping(std::string_view text);

// Zn when the field loses the focus: below 5 becomes "5", above 40 becomes "40"; a value
// inside keeps the text as typed (15.4 stays, Zn 15).
ZnCorrection clampZn(std::string_view text);

// The number of trains to list as the run and the empty grid read it: the text's value
// rounded and held from 1 to kMaxListedTrains.
int listedTrainsFromText(std::string_view text);

// The text the count field gets when it loses the focus: the nearer bound when its value lies
// outside 1..kMaxListedTrains, otherwise nothing (the text stays as typed).
std::optional<std::string> correctedListedTrainsText(std::string_view text);

// The starting text of the ratio field for a random draw r in [0, 1): r + 0.1, five decimals.
std::string startingRatioText(double draw);

} // namespace gearsel
