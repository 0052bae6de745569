// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The production search: it offers the ranking exactly the candidates of the reference
// enumeration that could change the result list, in the enumeration's order, so the list
// comes out identical, without visiting the n^4 trains one by one.

#include "engine/result_list.h"
#include "engine/search_request.h"

#include <cstdint>
#include <span>

namespace gearsel {

// How the search bounds the errors it looks at for long lists (see fast_search.cpp). Any
// values give the same list; they change only how much work the search does.
struct SearchTuning {
    int capFromCount = 256;      // lists of at least this many slots get a cap
    int sampleTrains = 64;       // the sample holds about this many trains that fill the list,
    int sampleFirstPairs = 2048; // and at least this many first pairs
    // The cap is the sample's guess at the last slot's error times this; 0: 1 + 4 / sqrt(k)
    // for a guess resting on k trains, four times its chance error.
    double capSlack = 0.0;
    // Where the literal walk over every train takes at most this many steps, the search walks
    // them all, as the reference does: its index and bookkeeping would cost more than they
    // save. -1: never.
    int walkUpTo = 2048;
    // Such a walk ranks its trains by the slot scan over the filled slots until more than
    // this many are listed, then by the ordered ranking.
    int walkScanUpTo = 128;
    // The indexed search ranks a list of at most this many slots by that slot scan, which is
    // quickest where the list is short, and longer lists by the ordered ranking.
    int scanUpTo = 64;
};

// The list of enumerateReference() over the same inputs, identical to the bit. `sortedGears`
// must be ascending and hold tooth counts kMinTeeth..kMaxTeeth only; the request's own gear
// list is not read.
ResultList searchFast(std::span<const std::int16_t> sortedGears, const SearchRequest& request,
                      const SearchTuning& tuning = {});

} // namespace gearsel
