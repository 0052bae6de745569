// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The inputs of one selection run and the rules that refuse inputs the search cannot use.

#include "base/tooth_limits.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
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
    // A gear that cannot be changed: the first driver (spindle side) or the last driven gear
    // (leadscrew side) has this tooth count in every train. A count the list does not hold is
    // mounted there as a gear of its own and used nowhere else.
    std::optional<int> firstDriver = std::nullopt;
    std::optional<int> lastDriven = std::nullopt;
    // Each gear of the list stands in a train at most once: a tooth count listed twice may
    // appear twice. Repeated counts still carry the repeat mark.
    bool useOnce = false;
};

// Why a request cannot be searched. Each surface words it in its own language.
struct SearchProblem {
    enum class Kind {
        RatioNotFinite,  // the relative error divides by the ratio
        RatioZero,       // likewise
        RatioNearZero,   // so close to 0 that error / ratio may exceed every double
        CountOutOfRange, // the result count is below 0 or above kMaxResultCount
        ZnOutOfRange,    // the shaft value does not fit in 16 bits
        TooManyGears,    // more than kMaxGearCount gears
        ToothOutOfRange, // a tooth count, or a fixed gear's, outside kMinTeeth..kMaxTeeth
    };
    Kind kind;
    long long value = 0; // the offending count, Zn or tooth count; 0 for the ratio
};

// Why a required ratio cannot be searched, or nothing when it can: it must be finite, and its
// size at least the smallest normal double (about 2.2e-308), so that the relative error of
// every listed train (an error below 1 divided by the ratio) is a finite number. The one rule
// for every ratio a surface works out or is given.
std::optional<SearchProblem> findRatioProblem(double ratio);

// Why the request cannot be searched, or nothing when it can. An empty gear list is allowed;
// it lists nothing.
std::optional<SearchProblem> findProblem(const SearchRequest& request);

// What runSelection() throws for a request that findProblem() refuses. The surfaces word the
// problem (present/search_problem_text.h); what() only names the exception for a log.
class SearchRefused : public std::invalid_argument {
public:
    explicit SearchRefused(const SearchProblem& problem)
        : std::invalid_argument("search request refused"), problem_(problem) {}
    const SearchProblem& problem() const noexcept { return problem_; }

private:
    SearchProblem problem_;
};

} // namespace gearsel
