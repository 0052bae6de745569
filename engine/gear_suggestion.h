// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which one gear to buy: the search run again with each tooth count from kMinTeeth to
// kMaxTeeth added to the gear set once, and the additions ranked by the best train each gives.
// The answer is the one that running those searches by hand gives, only without the typing.

#include "engine/fraction.h"
#include "engine/gear_train.h"
#include "engine/search_request.h"

#include <optional>
#include <vector>

namespace gearsel {

// The best train of one search, and whether its exact ratio is the required fraction.
struct BestTrain {
    ResultSlot slot;
    bool exact = false;
};

// One addition to the gear set and what it gives.
struct GearSuggestion {
    int tooth = 0;  // the tooth count added; a second gear of it when the set has one already
    BestTrain best; // the best train of the set with that gear added
};

struct SuggestionReport {
    std::optional<BestTrain> bestInSet; // the best train of the set as it is; nothing when none
    // Whether the required ratio lies in the reachable range of the set as it is, and when it
    // does not, the tooth counts (ascending) whose addition brings it in.
    bool inRange = false;
    std::vector<int> bringIntoRange;
    // The additions that help: the best train of the grown set uses the added gear and comes
    // strictly closer than the set's own best train (see ranksBefore()). Best first, then by
    // tooth count. Empty when no single gear gives a better train.
    std::vector<GearSuggestion> suggestions;

    bool exactInSet() const { return bestInSet && bestInSet->exact; }
};

// The best train that the search finds for `request` (its result count is not used), or
// nothing when it lists none. `required` is the required ratio's exact fraction, if it has one.
// Throws SearchRefused as runSelection() does.
std::optional<BestTrain> bestTrain(const SearchRequest& request,
                                   const std::optional<Fraction>& required);

// Runs the searches on the request's gear set, required ratio, Zn and options, one for the set
// as it is and one for each tooth count added. `required` is the required ratio's fraction, if
// it has one. Throws SearchRefused as runSelection() does, and (TooManyGears) when the set has
// no room for one more gear.
SuggestionReport suggestGears(const SearchRequest& request,
                              const std::optional<Fraction>& required);

// Whether train `a` answers the required ratio better than `b`. With the required fraction
// the errors are compared exactly (an exact train has none, and trains of one ratio tie
// however their doubles were rounded); without it, by their absolute errors.
bool closerThan(const BestTrain& a, const BestTrain& b, const std::optional<Fraction>& required);

// Whether suggestion `a` ranks before `b`: the closer train first (closerThan()), then fewer
// teeth.
bool ranksBefore(const GearSuggestion& a, const GearSuggestion& b,
                 const std::optional<Fraction>& required);

} // namespace gearsel
