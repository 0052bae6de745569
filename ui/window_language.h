// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's language: Simplified Chinese, the program's own texts, or English from the
// translation compiled into the program. The locale chooses, a command-line option overrides;
// Qt's own texts (the buttons of message boxes, the file dialog) follow the same choice.

#include "present/wording.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QString;

namespace gearsel {

// "zh" or "en" (the values of gearsel --lang); nothing for any other text.
std::optional<Language> languageNamed(std::string_view name);

// What the locale asks for: LANGUAGE (a list such as "fr:en_GB", its first Chinese or English
// entry; unlike gettext, also under the C locale), then the first of LC_ALL, LC_MESSAGES and
// LANG that is set. English where it names English, Chinese otherwise: for a Chinese locale, the C
// locale or none at all, and for the languages the program has no texts in. `variable` gives a
// variable's value, or null when it is unset.
Language languageFromLocale(const std::function<const char*(const char*)>& variable);

// Installs `language` on the running application: the window's English texts or none (the
// sources are Chinese), and Qt's own texts in the same language. Replaces what an earlier
// call installed. Says false when a translation could not be loaded; the window then shows
// its Chinese texts or Qt's English ones for what is missing.
bool installWindowLanguage(Language language);

// The language last installed; Chinese before any. The window words what present/ words for
// it (problems, grid and chart texts, the ratio helper's forms) in this language.
Language windowLanguage();

// A sentence of present/ (a problem) as a message box shows it on its own: in English with a
// capital letter and a full stop, which the command line's sentences go without; in Chinese
// as it is.
QString windowSentence(const std::string& text);

// The program's name as the window's title and usage notes show it: "挂轮选配 GearSel" in
// Chinese, "GearSel" in English.
QString productName();

} // namespace gearsel
