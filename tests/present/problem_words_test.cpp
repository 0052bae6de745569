// SPDX-License-Identifier: GPL-3.0-or-later
// Every problem the engine and the store report, worded in every language: each kind has a
// sentence of its own, the Chinese sentences carry no English (the parser's account, the
// system's error text, the exception's own what()) and the English ones no Chinese.

#include "engine/chart_targets.h"
#include "engine/search_request.h"
#include "present/chart_problem_text.h"
#include "present/problem_text.h"
#include "present/store_problem_text.h"
#include "present/value_problem_text.h"
#include "store/store_error.h"

#include <algorithm>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <new>
#include <regex>
#include <set>
#include <stdexcept>

namespace gearsel {
namespace {

// The data a sentence holds as given: Chinese names for the Chinese sentences, so that any
// English word found there came from the wording, and plain ASCII for the English ones.
struct Data {
    std::string file, lockFile, name, key, value, owner, group, user, detail;
};

Data dataFor(Language language) {
    if (language == Language::Chinese) {
        return {"/甲/乙", "/甲/锁", "丙", "丁", "戊", "己", "庚", "辛", "壬"};
    }
    return {"/d/f", "/d/l", "M1", "k", "v", "o", "g", "u", "x"};
}

ValueProblem valueProblem(ValueProblem::Kind kind, const Data& data) {
    ValueProblem problem{kind};
    problem.text = data.value;
    problem.within = data.value;
    problem.suggestion = data.value;
    problem.input = ValueInput::IndexConstant;
    problem.count = 0;
    if (kind == ValueProblem::Kind::PitchNamesThread) {
        problem.thread = ThreadName{"10", "1.5mm", false};
    }
    return problem;
}

TextProblem textProblem(TextProblem::Kind kind, const Data& data) {
    TextProblem problem{kind, 3};
    problem.column = 4;
    problem.firstLine = 2;
    problem.limit = 64;
    // The parser's own account stands in English in every language: the Chinese sentence must
    // leave it out.
    problem.detail =
        kind == TextProblem::Kind::NotJson ? "syntax error while parsing value" : data.detail;
    return problem;
}

StoreProblem storeProblem(StoreProblem::Kind kind, const Data& data) {
    StoreProblem problem{kind};
    problem.file = data.file;
    problem.error = EBADMSG; // no words of its own: the system's English text in English only
    problem.fileKind = FileKind::Pipe;
    problem.lockFile = data.lockFile;
    problem.wait = std::chrono::milliseconds(5000);
    problem.size = 7;
    problem.count = 3;
    problem.limit = 255;
    problem.adding = 2;
    problem.line = 5;
    problem.entry = 2;
    problem.machine = 1;
    problem.name = data.name;
    problem.key = data.key;
    problem.value = data.value;
    problem.owner = data.owner;
    problem.dataOwner = data.owner;
    problem.user = data.user;
    problem.group = data.group;
    problem.text = textProblem(TextProblem::Kind::NotJson, data);
    problem.nameProblem = NameProblem{NameProblem::Kind::NotInGbk, data.name};
    problem.why = valueProblem(ValueProblem::Kind::NotPositive, data);
    return problem;
}

ChartProblem chartProblem(ChartProblem::Kind kind, const Data& data) {
    ChartProblem problem{kind, data.value, 30, 20, 2000};
    problem.value = valueProblem(ValueProblem::Kind::NotNumber, data);
    return problem;
}

// Every kind of one problem type, from the first to the last listed, worded in `language`.
template <typename Kind>
std::map<int, std::string> everyKind(Kind last, Language language,
                                     const std::function<std::string(Kind, const Data&)>& word) {
    std::map<int, std::string> texts;
    for (int k = 0; k <= static_cast<int>(last); ++k) {
        texts[k] = word(static_cast<Kind>(k), dataFor(language));
    }
    return texts;
}

// The sentences of every problem type, by type and kind.
std::map<std::string, std::map<int, std::string>> allSentences(Language language) {
    using Store = StoreProblem::Kind;
    using Value = ValueProblem::Kind;
    using Text = TextProblem::Kind;
    using Name = NameProblem::Kind;
    using Chart = ChartProblem::Kind;
    return {
        {"store", everyKind<Store>(Store::ToothOutOfRange, language,
                                   [language](Store kind, const Data& data) {
                                       return storeProblemText(storeProblem(kind, data), language);
                                   })},
        {"value", everyKind<Value>(Value::ConstantMissing, language,
                                   [language](Value kind, const Data& data) {
                                       return valueProblemText(valueProblem(kind, data), language);
                                   })},
        {"text", everyKind<Text>(Text::NumberTooLarge, language,
                                 [language](Text kind, const Data& data) {
                                     return textProblemText(textProblem(kind, data), language);
                                 })},
        {"name", everyKind<Name>(Name::NotInGbk, language,
                                 [language](Name kind, const Data& data) {
                                     StoreProblem problem =
                                         storeProblem(Store::NameNotStorable, data);
                                     problem.nameProblem = NameProblem{kind, data.name};
                                     return storeProblemText(problem, language);
                                 })},
        {"chart", everyKind<Chart>(Chart::OtherInput, language,
                                   [language](Chart kind, const Data& data) {
                                       return chartProblemText(chartProblem(kind, data), language);
                                   })},
    };
}

// The first run of four or more Latin letters in `text` that is not one of the names the
// Chinese sentences keep as they are (formats, encodings, the keys of the files), or "".
std::string englishWordIn(const std::string& text) {
    static const std::regex word("[A-Za-z]{4,}");
    static const std::set<std::string> kept = {"JSON",      "FIFO",     "iconv",   "format",
                                               "version",   "machines", "machine", "name",
                                               "leadscrew", "gearbox"};
    for (auto it = std::sregex_iterator(text.begin(), text.end(), word);
         it != std::sregex_iterator(); ++it) {
        if (!kept.contains(it->str())) {
            return it->str();
        }
    }
    return {};
}

bool holdsNonAscii(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

TEST(ProblemWordsTest, EveryKindHasASentenceOfItsOwnInEveryLanguage) {
    for (const Language language : kLanguages) {
        for (const auto& [type, sentences] : allSentences(language)) {
            std::map<std::string, int> kindOf;
            for (const auto& [kind, text] : sentences) {
                SCOPED_TRACE(type + " kind " + std::to_string(kind) + ": " + text);
                EXPECT_FALSE(text.empty());
                const auto [seen, added] = kindOf.emplace(text, kind);
                EXPECT_TRUE(added) << "the same sentence as kind " << seen->second;
            }
        }
    }
}

TEST(ProblemWordsTest, ChineseSentencesHoldNoEnglishAndEnglishOnesNoChinese) {
    for (const auto& [type, sentences] : allSentences(Language::Chinese)) {
        for (const auto& [kind, text] : sentences) {
            EXPECT_EQ(englishWordIn(text), "") << type << " kind " << kind << ": " << text;
        }
    }
    for (const auto& [type, sentences] : allSentences(Language::English)) {
        for (const auto& [kind, text] : sentences) {
            EXPECT_FALSE(holdsNonAscii(text)) << type << " kind " << kind << ": " << text;
        }
    }
}

TEST(ProblemWordsTest, AnExceptionIsWordedByItsProblemAndOtherwiseNamedAsAFault) {
    ValueProblem zero{ValueProblem::Kind::NotPositive};
    zero.input = ValueInput::IndexConstant;
    StoreProblem full{StoreProblem::Kind::WriteFailed};
    full.file = "/数据/机床";
    full.error = ENOSPC;
    const struct {
        const char* name;
        std::function<void()> raise;
        const char* chinese;
        const char* english;
    } cases[] = {
        {"value", [&] { throw ValueRefused(zero); }, "分度常数 K必须大于 0",
         "the index constant must be above 0"},
        {"store", [&] { throw StoreError(full); }, "磁盘已满", "disk full"},
        {"search", [] { throw SearchRefused({SearchProblem::Kind::RatioZero}); }, "无法选配",
         "the required ratio must not be 0"},
        {"chart", [] { throw ChartRefused({ChartProblem::Kind::NoIndexConstant}); },
         "请先在机床常数中填写分度常数 K", "a hobbing index chart needs the index constant K"},
        {"memory", [] { throw std::bad_alloc(); }, "内存不足", "out of memory"},
        {"fault", [] { throw std::logic_error("index\x1b past the end"); }, "程序内部出错",
         "internal error: index\\x1b past the end"},
    };
    for (const auto& c : cases) {
        try {
            c.raise();
        } catch (const std::exception& error) {
            const std::string chinese = exceptionText(error, Language::Chinese);
            EXPECT_NE(chinese.find(c.chinese), std::string::npos) << c.name << ": " << chinese;
            EXPECT_EQ(englishWordIn(chinese), "") << c.name << ": " << chinese;
            const std::string english = exceptionText(error, Language::English);
            EXPECT_NE(english.find(c.english), std::string::npos) << c.name << ": " << english;
        }
    }
}

} // namespace
} // namespace gearsel
