// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which one gear to buy: the search run again with each tooth count from kMinTeeth to
// kMaxTeeth added to the gear set once, and the additions ranked by the best train each gives.
// The answer is the one that running those searches by hand gives, only without the typing.
// Every rule of the request holds in each search: fixed gears, gears used once, trains that
// must fit the machine; for three-pair trains, the same with runThreePairSelection().

#include "engine/best_train.h"
#include "engine/fraction.h"
#include "engine/gear_train.h"
#include "engine/search_request.h"
#include "engine/three_pair_train.h"

#include <optional>
#include <vector>

namespace gearsel {

// One addition to the gear set and what it gives.
template <class Slot> struct SuggestionOf {
    int tooth = 0;     // the tooth count added; a second gear of it when the set has one already
    BestOf<Slot> best; // the best train of the set with that gear added (see bestTrain())
};
using GearSuggestion = SuggestionOf<ResultSlot>;
using ThreePairSuggestion = SuggestionOf<ThreePairSlot>;

template <class Slot> struct SuggestionReportOf {
    std::optional<BestOf<Slot>> bestInSet; // the best train of the set as it is; nothing if none
    // Whether the required ratio lies in the reachable range of the set as it is (two or three
    // pairs, as the search), and when it does not, the tooth counts (ascending) whose addition
    // brings it in.
    bool inRange = false;
    std::vector<int> bringIntoRange;
    // The additions that help: the best train of the grown set needs the added gear (it is one
    // of the train's gears, or a single pair's idler where trains must fit) and comes strictly
    // closer than the set's own best train (see ranksBefore()). Best first, then by tooth
    // count. Empty when no single gear gives a better train.
    std::vector<SuggestionOf<Slot>> suggestions;

    bool exactInSet() const { return bestInSet && bestInSet->exact; }
};
using SuggestionReport = SuggestionReportOf<ResultSlot>;
using ThreePairSuggestionReport = SuggestionReportOf<ThreePairSlot>;

// Runs the searches on the request's gear set, required ratio, Zn and options, one for the set
// as it is and one for each tooth count added, and takes the best train of each as bestTrain()
// does. `required` is the required ratio's fraction, if it has one. Throws SearchRefused as
// runSelection() does, and (TooManyGears) when the set has no room for one more gear.
//
// Most additions cannot help: only a train closer than the set's best can, and such a train
// holds the added count. One pass over the trains that hold one count from outside the set
// (additionsWithin()) finds the few additions that may have one, and only those are searched;
// the report is the same, bit for bit, as suggestGearsOneSearchEach() gives.
SuggestionReport suggestGears(const SearchRequest& request,
                              const std::optional<Fraction>& required);

// The same report with every addition searched: the plain way the screened one is checked
// against.
SuggestionReport suggestGearsOneSearchEach(const SearchRequest& request,
                                           const std::optional<Fraction>& required);

// The same for three-pair trains, each search as runThreePairSelection() runs it and its best
// train as bestThreePairTrain() takes it, the additions screened by
// threePairAdditionsCloserThan(). Throws as runThreePairSelection() does.
ThreePairSuggestionReport suggestGearsThreePairs(const SearchRequest& request,
                                                 const std::optional<Fraction>& required);
ThreePairSuggestionReport
suggestGearsThreePairsOneSearchEach(const SearchRequest& request,
                                    const std::optional<Fraction>& required);

// Whether train `a` answers the required ratio better than `b`. With the required fraction
// the errors are compared exactly (an exact train has none, and trains of one ratio tie
// however their doubles were rounded); without it, by their absolute errors. Three-pair trains
// are compared exactly in either case, the ratio without a fraction taken as the exact double
// it is, as their search ranks them.
bool closerThan(const BestTrain& a, const BestTrain& b, const std::optional<Fraction>& required);
bool closerThan(const BestThreePairTrain& a, const BestThreePairTrain& b, double requiredRatio,
                const std::optional<Fraction>& required);

// Whether suggestion `a` ranks before `b`: the closer train first (closerThan()), then fewer
// teeth.
bool ranksBefore(const GearSuggestion& a, const GearSuggestion& b,
                 const std::optional<Fraction>& required);

} // namespace gearsel
