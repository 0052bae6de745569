// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a chart cannot be made, in the window's words.

#include "present/chart_plan.h"

#include <string>

namespace gearsel {

// The problem as one Chinese sentence for a message box.
std::string chartProblemText(const ChartProblem& problem);

} // namespace gearsel
