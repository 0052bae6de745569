// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a search cannot run, in the words of each surface: a request the engine refuses, gearbox
// positions it cannot search, a machine geometry it cannot fit trains to (see wording.h).

#include "engine/gearbox_positions.h"
#include "engine/machine_geometry.h"
#include "engine/search_request.h"
#include "present/wording.h"

#include <string>

namespace gearsel {

// The problem as one sentence: in Chinese for a message box ("要求速比不能是 0，无法选配。"),
// in English for the command line ("the required ratio must not be 0").
std::string searchProblemText(const SearchProblem& problem, Language language);

// The problem with the positions, naming the position at fault.
std::string positionProblemText(const PositionProblem& problem, Language language);

// The problem with the geometry, naming the value at fault.
std::string geometryProblemText(const GeometryProblem& problem, Language language);

} // namespace gearsel
