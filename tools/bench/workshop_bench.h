// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Benchmarks of what a workshop asks after the best train: whole charts (one search per row, and
// a suggest for each inexact row), named "chart/<gears>/<chart>". Which gear to buy has its
// own (suggest_bench.h).

namespace gearsel {

void registerWorkshopBenchmarks();

} // namespace gearsel
