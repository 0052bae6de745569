// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_language.h"

#include "base/version.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace gearsel {

namespace {

Language current = Language::Chinese;
// The translator installed for `current`, removed again when another language is installed.
std::unique_ptr<QTranslator> installed;

// The language a locale name such as "en_US.UTF-8", "zh_CN" or "C" asks for; nothing for
// a language the program has no texts in.
std::optional<Language> languageOfLocale(std::string_view locale) {
    const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
    if (language == "en") {
        return Language::English;
    }
    if (language == "zh") {
        return Language::Chinese;
    }
    return std::nullopt;
}

std::unique_ptr<QTranslator> loaded(const QString& file, const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file, folder)) {
        return nullptr;
    }
    return translator;
}

} // namespace

std::optional<Language> languageNamed(std::string_view name) {
    if (name == "en") {
        return Language::English;
    }
    if (name == "zh") {
        return Language::Chinese;
    }
    return std::nullopt;
}

Language languageFromLocale(const std::function<const char*(const char*)>& variable) {
    const auto valueOf = [&](const char* name) {
        const char* value = variable(name);
        return std::string_view(value == nullptr ? "" : value);
    };
    // The first of LC_ALL, LC_MESSAGES and LANG that is set is the locale of messages.
    std::string_view locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = valueOf(name);
        if (!locale.empty()) {
            break;
        }
    }
    // LANGUAGE lists languages in the order the user prefers them; an entry the program has
    // no texts in passes on to the next.
    std::string_view list = valueOf("LANGUAGE");
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        if (const auto language = languageOfLocale(list.substr(0, colon))) {
            return *language;
        }
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    return languageOfLocale(locale).value_or(Language::Chinese);
}

bool installWindowLanguage(Language language) {
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    current = language;
    // The window's own texts are Chinese and Qt's are English: each language needs one
    // translation, the window's English compiled in, or Qt's Chinese from Qt's folder.
    installed = language == Language::English
                    ? loaded(QStringLiteral(":/translations/gearsel_en.qm"), QString())
                    : loaded(QStringLiteral("qtbase_zh_CN"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return installed && QCoreApplication::installTranslator(installed.get());
}

Language windowLanguage() {
    return current;
}

QString windowSentence(const std::string& text) {
    QString sentence = QString::fromStdString(text);
    if (current != Language::English || sentence.isEmpty()) {
        return sentence;
    }
    sentence[0] = sentence[0].toUpper();
    if (!QStringLiteral(".!?").contains(sentence.back())) {
        sentence += QLatin1Char('.');
    }
    return sentence;
}

QString productName() {
    const QString name = QString::fromUtf8(kProductName);
    return current == Language::English
               ? name
               : QString::fromUtf8(kProductNameChinese) + QLatin1Char(' ') + name;
}

} // namespace gearsel
