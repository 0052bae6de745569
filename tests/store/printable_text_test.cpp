// SPDX-License-Identifier: GPL-3.0-or-later
// Messages never carry a byte that a terminal obeys or that breaks the one-line rule: the
// helper's escapes, and the store's messages in both languages built from such names.

#include "base/printable_text.h"
#include "present/store_problem_text.h"
#include "store/store_error.h"

#include <gtest/gtest.h>

namespace gearsel {
namespace {

struct EscapeCase {
    const char* name;
    std::string text;
    std::string shown;
};

class PrintableTextTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(PrintableTextTest, ShowsWhatAScreenWouldNotShowAsEscapes) {
    EXPECT_EQ(printableText(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PrintableTextTest,
    ::testing::Values(
        EscapeCase{"PlainAndChineseStay", "CA6140 车床 /tmp/a b.lib", "CA6140 车床 /tmp/a b.lib"},
        EscapeCase{"TerminalEscape", "a\x1b[2Jb", "a\\x1b[2Jb"},
        EscapeCase{"BellCarriageReturnLineFeedTab", "1\a2\r3\n4\t5", "1\\x072\\x0d3\\x0a4\\x095"},
        EscapeCase{"NulAndDelete", std::string("x\0y\x7f", 4), "x\\x00y\\x7f"},
        // U+009B is a CSI on 8-bit terminals; U+202E turns the rest of the line around.
        EscapeCase{"C1ControlAndBidiOverride",
                   "a\xc2\x9b"
                   "b\xe2\x80\xae"
                   "c",
                   "a\\u009bb\\u202ec"},
        EscapeCase{"LineSeparator",
                   "a\xe2\x80\xa8"
                   "b",
                   "a\\u2028b"},
        EscapeCase{"BytesThatAreNotUtf8", "\xff\xfe a \xe8\xbd", "\\xff\\xfe a \\xe8\\xbd"},
        EscapeCase{"OverlongAndSurrogate", "\xc0\xaf \xed\xa0\x80", "\\xc0\\xaf \\xed\\xa0\\x80"},
        EscapeCase{"FourByteCharacterStays", "\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80"},
        EscapeCase{"BackslashStays", "C:\\x", "C:\\x"}),
    [](const ::testing::TestParamInfo<EscapeCase>& info) { return info.param.name; });

TEST(StoreErrorTest, BothLanguagesShowControlCharactersEscapedAndKeepTheFileAsGiven) {
    const StoreError error({.kind = StoreProblem::Kind::Missing, .file = "/tmp/a\x1b]0;x\a.lib"});
    EXPECT_EQ(storeProblemText(error.problem(), Language::Chinese),
              "文件“/tmp/a\\x1b]0;x\\x07.lib”不存在");
    EXPECT_EQ(storeProblemText(error.problem(), Language::English),
              "/tmp/a\\x1b]0;x\\x07.lib: does not exist");
    EXPECT_EQ(error.file(), "/tmp/a\x1b]0;x\a.lib");
    EXPECT_EQ(std::string(error.what()).find('\x1b'), std::string::npos);
    // A key from the file, inside the cause.
    const StoreProblem key{.kind = StoreProblem::Kind::EntryUnknownKey,
                           .file = "c.json",
                           .line = 2,
                           .entry = 1,
                           .key = "k\r"};
    EXPECT_NE(storeProblemText(key, Language::Chinese).find("第 2 行：第 1 项有不认识的键“k\\x0d”"),
              std::string::npos);
    EXPECT_NE(storeProblemText(key, Language::English)
                  .find("line 2: entry 1 has the unknown key 'k\\x0d'"),
              std::string::npos);
}

} // namespace
} // namespace gearsel
