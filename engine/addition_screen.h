// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which tooth counts could, added to a gear set, give a one- or two-pair train closer to the
// required ratio than a given error. A train the grown set has and the set lacks uses the added
// count (or, where trains must fit, has it as a single pair's idler), so one pass over the
// trains that hold one count from outside the set answers for every addition at once.
//
// The screen errs on the side of letting an addition through: it keeps only the rules that are
// cheap and certain (the two assembly conditions, the fixed gears, no repeats) and leaves the
// copies of use-once and the fit of two-pair trains to the search that follows. It compares
// doubles with a margin far above their rounding, so an addition whose train is exactly as
// close as the bound may pass too. What it drops cannot help; what it keeps still has to be
// searched.

#include "base/tooth_limits.h"
#include "engine/fraction.h"
#include "engine/gear_train.h"
#include "engine/search_request.h"

#include <optional>

#include <vector>

namespace gearsel {

// For each tooth count z from kMinTeeth to kMaxTeeth (index z - kMinTeeth): whether the set
// of `request` with one gear of z added may have a one- or two-pair train, under the request's
// rules, closer to the required ratio than `best`, as the suggestions rank trains: with the
// required fraction `required`, exactly closer; without it, with an error |ratio - required|
// up to best's own (a margin of about 2^-39 of the ratio added, as computed errors of one
// exact error may differ). Without `best`, whether the grown set may have any train at all.
std::vector<char> additionsCloserThan(const SearchRequest& request,
                                      const std::optional<Fraction>& required,
                                      const std::optional<ResultSlot>& best);

} // namespace gearsel
