// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a number, a pitch or a value of a ratio formula cannot be used, in the words of each
// surface (see wording.h).

#include "engine/value_problem.h"
#include "present/wording.h"

#include <string>

namespace gearsel {

// What the value stands for, as a sentence names it: "螺距", "分度常数 K"; "the pitch", "the
// index constant".
std::string valueInputName(ValueInput input, Language language);

// The problem as one clause without a full stop, naming the value and the text where they are
// known: "分度常数 K 必须大于 0", "the index constant must be above 0"; "'1/0mm': '1/0': q must
// be above 0". A surface that says more (a field's label, an option) adds it around the clause.
std::string valueProblemText(const ValueProblem& problem, Language language);

// The sentence for a metric thread named where a pitch belongs ("M10"), offering the thread's
// pitch and, for a thread without a fine pitch, the module's lower-case m; `text` is what was
// typed.
std::string threadNameText(const std::string& text, const ThreadName& thread, Language language);

} // namespace gearsel
