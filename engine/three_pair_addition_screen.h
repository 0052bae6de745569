// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which tooth counts could, added to a gear set, give a three-pair train closer to the required
// ratio than a given train: the three-pair counterpart of additionsCloserThan(). A train the
// grown set has and the set lacks holds the added count among its drivers, its driven gears or
// both; the other side (or the rest of each side) is a pair or a triple of the set's counts,
// found by its product.
//
// The screen keeps the four assembly conditions (over every arrangement of the drivers and of
// the driven gears), the fixed gears and no repeats, and leaves the copies of use-once to the
// search that follows: what it drops cannot help; what it keeps still has to be searched.

#include "base/tooth_limits.h"
#include "engine/fraction.h"
#include "engine/search_request.h"
#include "engine/three_pair_train.h"

#include <optional>
#include <vector>

namespace gearsel {

// For each tooth count z from kMinTeeth to kMaxTeeth (index z - kMinTeeth): whether the set
// of `request` with one gear of z added may have a three-pair train, under the request's
// rules, whose exact error is smaller than best's (against `required` where it is given, else
// against the required ratio as the exact double it is). Without `best`, whether the grown
// set may have any three-pair train at all.
std::vector<char> threePairAdditionsCloserThan(const SearchRequest& request,
                                               const std::optional<Fraction>& required,
                                               const std::optional<ThreePairSlot>& best);

} // namespace gearsel
