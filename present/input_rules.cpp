// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/input_rules.h"

#include "engine/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace gearsel {

namespace {

constexpr double kInset = 0.00001;

} // namespace

RatioCorrection correctRequiredRatio(std::string_view text,
                                     const std::optional<RatioRange>& range) {
    return correctRequiredRatio(readNumber(text), range);
}

RatioCorrection correctRequiredRatio(double r, const std::optional<RatioRange>& range) {
    if (r == 0.0) {
        r = kFallbackRatio;
    }
    if (range) {
        const double sign = r < 0 ? -1.0 : 1.0;
        if (std::fabs(r) < range->low) {
            r = sign * (range->low + kInset);
        }
        if (std::fabs(r) > range->high) {
            r = sign * (range->high - kInset);
        }
    }
    return RatioCorrection{r, formatFixed(r, 5)};
}

int znWhileTyping(std::string_view text) {
    return readWholeNumber(text, std::numeric_limits<std::int16_t>::min(),
                           std::numeric_limits<std::int16_t>::max());
}

ZnCorrection clampZn(std::string_view text) {
    const std::int64_t zn = roundToInteger(readNumber(text));
    if (zn < kMinZn) {
        return ZnCorrection{kMinZn, std::to_string(kMinZn)};
    }
    if (zn > kMaxZn) {
        return ZnCorrection{kMaxZn, std::to_string(kMaxZn)};
    }
    return ZnCorrection{static_cast<int>(zn), std::nullopt};
}

int listedTrainsFromText(std::string_view text) {
    return readWholeNumber(text, 1, kMaxListedTrains);
}

std::optional<std::string> correctedListedTrainsText(std::string_view text) {
    const std::int64_t n = roundToInteger(readNumber(text));
    if (n < 1 || n > kMaxListedTrains) {
        return std::to_string(listedTrainsFromText(text));
    }
    return std::nullopt;
}

std::string startingRatioText(double draw) {
    return formatFixed(draw + 0.1, 5);
}

} // namespace gearsel
