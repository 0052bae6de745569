// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A guess, from a sample of first pairs, at the error of the result list's last slot once the
// search is over: the production search uses it to leave out every train far beyond it.

#include "engine/fit_rule.h"
#include "engine/gear_stock.h"
#include "engine/search_request.h"
#include "engine/train_window.h"

#include <cstddef>

namespace gearsel {

// A guess at the error of slot N after the search, and how many sampled trains it rests on.
struct LimitGuess {
    double error = 1.0; // 1.0 where there is no guess
    std::size_t trains = 0;
};

// Guesses the error of slot N after the search from a sample of first pairs: at least
// `sampleFirstPairs` of them, and enough to hold about `sampleTrains` of the trains that fill
// the list; trains the stock does not hold or that the fit-only rule refuses are left out. No guess
// when the sample finds too few trains closer than 1.0. Only a guess: it decides how much work the
// search does, never its result.
LimitGuess guessFinalLimit(const TrainWindow& window, const GearStock& stock, const FitRule& fit,
                           const SearchRequest& request, int sampleTrains, int sampleFirstPairs);

} // namespace gearsel
