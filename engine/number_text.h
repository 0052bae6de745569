// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Number texts: how the program turns a field's text into a number and a number into the
// fixed-decimal texts that the window, the printout and the command-line tool show.

#include <cstdint>
#include <string>
#include <string_view>

namespace gearsel {

// Reads the leading numeric part of a text: blanks, tabs and line feeds are skipped wherever
// they stand, then an optional sign, digits, at most one full stop and an optional exponent.
// Reading stops at the first character that cannot continue the number; a text without a
// number reads as 0. A value too large for a double reads as the largest finite double of its
// sign, one too small as 0, so the result is always finite.
double readNumber(std::string_view text);

// Rounds to the nearest whole number with halves going to the even neighbour (14.5 -> 14,
// 15.5 -> 16). NaN reads as 0; infinities stay as they are.
double roundHalfEven(double value);

// roundHalfEven() as an integer, saturated at the limits of 64 bits (NaN gives 0), so that a
// caller can range-check any input without undefined behaviour.
std::int64_t roundToInteger(double value);

// The text's number rounded half to even and held inside [low, high]: how every field that
// stands for a bounded whole number (a count, a tooth count, a shaft value) is read.
int readWholeNumber(std::string_view text, int low, int high);

// Formats a value with exactly `decimals` digits after the full stop and at least one before
// it ("0.00000" style). The value is first taken to 15 significant digits, as a person reads
// it, and then rounded with halves away from zero, so 2.675 gives 2.68 with two decimals.
// A value that rounds to zero carries no minus sign.
std::string formatFixed(double value, int decimals);

// The last `count` characters of a text (the whole text when it is shorter); used for the
// right-aligned cell texts of the result grid, whose texts are plain ASCII.
std::string lastChars(std::string_view text, std::size_t count);

// The shortest text that reads back to the same double ("0.1", "1e-05", "45").
std::string shortestText(double value);

} // namespace gearsel
