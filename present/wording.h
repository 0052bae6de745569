// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How problems and other texts of the Qt-free layers reach people, in more than one language.
//
// The engine and the store never word a problem. They report it as a typed value: a kind and
// its data (the file, the system's error number, the names, the line and key, the counts), in
// an exception that carries it (SearchRefused, ValueRefused, ChartRefused, StoreError, ...).
// present/ words those values, one function per subject, each taking the Language to word in:
//   searchProblemText, positionProblemText, geometryProblemText   search_problem_text.h
//   valueProblemText (numbers, pitches, formulas, constants)      value_problem_text.h
//   chartProblemText                                              chart_problem_text.h
//   storeProblemText, textProblemText, machineLabel, ...          store_problem_text.h
// Every function holds all languages side by side, kind by kind, so that a new kind is worded
// in each at once: the compiler warns of a kind a switch leaves out, and present_tests walks
// every kind in every language.
//
// The window words in Chinese (the source language of the program, and what its tests pin)
// and, once it is translated, in the language of the locale; gearsel-cli words in English. So
// present/'s texts are translated here, by wording functions per language, not through Qt's
// .ts files, which hold the window's own texts. An English window passes Language::English to
// the same functions the command line uses; adding a language means adding a member below and
// its wording in every function (the walk over every kind finds one left out).
//
// A sentence holds names, paths and texts as the user or the file gave them; the wording
// functions escape control characters (printableText), so that every message is one line that
// sends a terminal nothing, in every language.

#include <string>
#include <utility>

namespace gearsel {

enum class Language { Chinese, English };

// Every language, for code and tests that go through all of them.
inline constexpr Language kLanguages[] = {Language::Chinese, Language::English};

// The text of `language` among its translations.
inline std::string inLanguage(Language language, std::string chinese, std::string english) {
    return language == Language::Chinese ? std::move(chinese) : std::move(english);
}

// An English caption ("Index constant K") inside a sentence or after another caption's colon:
// with a small first letter, as the command line's phrases have. Any other text as it is.
inline std::string captionInSentence(std::string caption) {
    if (!caption.empty() && caption[0] >= 'A' && caption[0] <= 'Z') {
        caption[0] = static_cast<char>(caption[0] - 'A' + 'a');
    }
    return caption;
}

} // namespace gearsel
