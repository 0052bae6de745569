// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Any exception a surface catches, worded by the problem it carries (see wording.h).

#include "present/wording.h"

#include <exception>
#include <string>

namespace gearsel {

// The problem that `error` carries, worded as the function for its kind words it
// (storeProblemText, valueProblemText, searchProblemText, ...). An exception that carries no
// problem is a fault of the program: it is named as one, its own English text only in English.
std::string exceptionText(const std::exception& error, Language language);

} // namespace gearsel
