#pragma once
// The inputs of one selection run and the rules that refuse inputs the search cannot use.

#include "base/tooth_limits.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gearsel {

// The result grid has one row per slot plus a heading row, and its row count is 16-bit.
inline constexpr int kMaxResultCount = 32766;
// A gear list's count is a 16-bit number.
inline constexpr int kMaxGearCount = 32767;

struct SearchRequest {
    std::vector<std::int16_t> gears; // tooth counts in any order; duplicates allowed
    double requiredRatio = 1.23456;  // the ratio the train must come close to
    int resultCount = 5;             // N, the number of ranked slots
    int zn = 15;                     // shaft thickness as an equivalent tooth count
    bool includeSinglePairs = true;  // single pairs z1/z2 take part
    bool allowRepeats = true;        // trains using one tooth count twice may be listed
};

// Why the request cannot be searched, or nothing when it can. Refused: a required ratio of 0
// or one that is not finite (the relative error divides by it), a result count below 0 or
// above kMaxResultCount, a shaft value outside 16 bits, more than kMaxGearCount gears, and
// tooth counts outside kMinTeeth..kMaxTeeth. An empty gear list is allowed; it lists nothing.
std::optional<std::string> findProblem(const SearchRequest& request);

} // namespace gearsel
