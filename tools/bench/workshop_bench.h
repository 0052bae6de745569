// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Benchmarks of what a workshop asks after the best train: which gear to buy (suggest, 246
// searches) and whole charts (one search per row, and a suggest for each inexact row).
// Their names are "suggest/<gears>/<ratio>" and "chart/<gears>/<chart>".

namespace gearsel {

void registerWorkshopBenchmarks();

} // namespace gearsel
