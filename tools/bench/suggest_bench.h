// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Benchmarks of which gear to buy beside the one search it is weighed against: "select/<gears>/
// <ratio>" (the search of the set, N = 5), "suggest/<gears>/<ratio>" (the screened additions),
// "suggest, every addition/<gears>/<ratio>" (all 246 additions searched, the plain way), and
// the same three with three pairs. Wall time, as the suggestions spread their searches over
// threads.

namespace gearsel {

void registerSuggestBenchmarks();

} // namespace gearsel
