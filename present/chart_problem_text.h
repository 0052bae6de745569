// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a chart cannot be made, in the words of each surface (see wording.h).

#include "engine/chart_targets.h"
#include "present/wording.h"

#include <string>

namespace gearsel {

// The problem as one sentence: in Chinese for a message box, in English for the command line.
std::string chartProblemText(const ChartProblem& problem, Language language);

} // namespace gearsel
