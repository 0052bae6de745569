// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a search cannot run, in the window's words.

#include "engine/search_request.h"

#include <string>

namespace gearsel {

// The problem as one Chinese sentence for a message box.
std::string searchProblemText(const SearchProblem& problem);

} // namespace gearsel
