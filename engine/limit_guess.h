#pragma once
// A guess, from a sample of first pairs, at the error of the result list's last slot once the
// search is over: the production search uses it to leave out every train far beyond it.

#include "engine/search_request.h"
#include "engine/train_window.h"

namespace gearsel {

// Guesses the error of slot N after the search, from a sample of first pairs that holds about
// `sampleTrains` of the trains that fill the list; 1.0 when the sample finds too few trains
// closer than 1.0. Only a guess: it decides how much work the search does, never its result.
double guessFinalLimit(const TrainWindow& window, const SearchRequest& request, int sampleTrains);

} // namespace gearsel
