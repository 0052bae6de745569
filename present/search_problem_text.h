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

// A ratio that findRatioProblem() refuses (not finite, 0, too close to 0), `value` its size;
// `workedOut` when a formula gave it from inputs rather than the user typing it. The English
// sentence names the ratio by `subject` ("ratio", "the thread ratio", "row z=17: the ratio") and
// shows its value: "the thread ratio works out as inf, which is not a finite number: the inputs
// are too far apart in size". The Chinese one says only whether it was worked out:
// "算出的速比超出了数的范围，无法选配，请检查输入的数值。".
std::string unusableRatioText(const SearchProblem& problem, const std::string& subject,
                              double value, bool workedOut, Language language);

// The problem with the positions, naming the position at fault.
std::string positionProblemText(const PositionProblem& problem, Language language);

// The problem with the geometry, naming the value at fault.
std::string geometryProblemText(const GeometryProblem& problem, Language language);

} // namespace gearsel
