// SPDX-License-Identifier: GPL-3.0-or-later
// JSON from users' files: each problem named with its line and in the user's terms, keys that a
// parser would quietly drop refused, and the lines of objects and keys found for the readers'
// own refusals; the constants file read through it.

#include "present/store_problem_text.h"
#include "store/constants_file.h"
#include "store/json_check.h"
#include "store/store_error.h"

#include <gtest/gtest.h>

namespace gearsel {
namespace {

struct ProblemCase {
    const char* name;
    std::string text;
    std::string problem; // the English wording; empty for none
};

class JsonCheckTest : public ::testing::TestWithParam<ProblemCase> {};

TEST_P(JsonCheckTest, NamesTheFirstProblemWithItsLine) {
    JsonOutline outline;
    const auto problem = checkJson(GetParam().text, 8, outline);
    EXPECT_EQ(problem ? textProblemText(*problem, Language::English) : "", GetParam().problem);
    EXPECT_EQ(problem ? textProblemText(*problem, Language::Chinese).empty() : false, false);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonCheckTest,
    ::testing::Values(
        ProblemCase{"Valid", "{\"a\": [1, {\"b\": 2}], \"c\": \"\\u00e9\"}", ""},
        ProblemCase{"KeyTwice", "{\"a\": 1,\n \"b\": {\"x\": 1},\n \"a\": 2}",
                    "line 3: the key 'a' appears twice in one object (first on line 1)"},
        ProblemCase{"KeyTwiceWrittenWithAnEscape", "{\"zn\": 1, \"z\\u006e\": 2}",
                    "line 1: the key 'zn' appears twice in one object (first on line 1)"},
        ProblemCase{"SameKeyInTwoObjectsIsFine", "[{\"zn\": 1}, {\"zn\": 2}]", ""},
        ProblemCase{"KeyAsValueIsFine", "{\"a\": \"a\", \"b\": [\"a\", \"b\"]}", ""},
        ProblemCase{"NumberTooLarge", "{\"a\":\n 1e400}",
                    "line 2: the number 1e400 is too large to be represented"},
        ProblemCase{"InvalidUtf8", "{\"a\": 1,\n\"b\": \"\xff\"}",
                    "line 2: the byte 0xff is not UTF-8; save the file as UTF-8"},
        ProblemCase{"Utf16WithByteOrderMark", std::string("\xff\xfe{\0}\0", 6),
                    "is UTF-16 text, not UTF-8; save it as UTF-8 in an editor"},
        ProblemCase{"Utf16WithoutByteOrderMark", std::string("[\0]\0", 4),
                    "is UTF-16 text, not UTF-8; save it as UTF-8 in an editor"},
        ProblemCase{"SyntaxErrorAtItsLineAndColumn", "{\"a\": 1,\n  \"b\" 2}",
                    "line 2, column 7: not valid JSON (syntax error while parsing object "
                    "separator - unexpected number literal; expected ':')"},
        ProblemCase{"CutShort", "[1,\n",
                    "line 2, column 1: not valid JSON (syntax error while parsing value - "
                    "unexpected end of input; expected '[', '{', or a literal)"},
        ProblemCase{"Deep", std::string(9, '[') + std::string(9, ']'),
                    "it nests deeper than 8 levels"}),
    [](const ::testing::TestParamInfo<ProblemCase>& info) { return info.param.name; });

TEST(JsonOutlineTest, GivesTheLinesOfObjectsAndKeysAndTheirPlacesInArrays) {
    const std::string text = "[\n"
                             "  {\"name\": \"A\",\n"
                             "   \"zn\": 15, \"gears\": [20, {\"x\": 1}]},\n"
                             "  7,\n"
                             "  {\"name\": \"B\"}\n"
                             "]\n";
    JsonOutline outline;
    ASSERT_FALSE(checkJson(text, 8, outline));
    const auto machines = arrayObjects(outline, 1);
    ASSERT_EQ(machines.size(), 3U);
    ASSERT_NE(machines[0], nullptr);
    EXPECT_EQ(machines[0]->line, 2);
    EXPECT_EQ(machines[0]->lineOf("zn"), 3);
    EXPECT_EQ(machines[0]->lineOf("missing"), 2);
    EXPECT_EQ(machines[1], nullptr); // the number 7
    ASSERT_NE(machines[2], nullptr);
    EXPECT_EQ(machines[2]->lineOf("name"), 5);
    // The object inside "gears" is that array's second element, inside the root array, the
    // first machine and "gears".
    const auto inner = arrayObjects(outline, 3);
    ASSERT_EQ(inner.size(), 2U);
    EXPECT_EQ(inner[1]->line, 3);
}

TEST(ConstantsFileTest, RefusesWhatAParserWouldQuietlyTakeAndSaysWhereInTheUsersTerms) {
    const std::string head = "{\"format\": \"gearsel machine constants\", \"version\": 1,\n"
                             " \"machines\": [\n";
    const std::pair<std::string, std::string> cases[] = {
        {head + "  {\"machine\": 1, \"name\": \"A\", \"k\": \"24\",\n   \"k\": \"48\"}]}",
         "line 4: the key 'k' appears twice in one object (first on line 3)"},
        {head + "  {\"machine\": 1, \"name\": \"A\",\n   \"pitch\": \"1\"}]}",
         "line 4: entry 1 has the unknown key 'pitch'"},
        {head + "  {\"machine\": 1, \"name\": \"A\", \"k\": \"24\"},\n"
                "  {\"machine\": 2, \"name\": \"B\",\n   \"k\": \"-1\"}]}",
         "line 5: entry 2: k cannot be used"},
        {head + "  {\"machine\": 1e400, \"name\": \"A\"}]}",
         "line 3: the number 1e400 is too large"},
        {head + "  {\"machine\": 1, \"name\": \"\xc3\"}]}", "line 3: the byte 0xc3 is not UTF-8"},
        {"{\"format\": \"gearsel machine constants\", \"format\": \"x\"}",
         "line 1: the key 'format' appears twice"},
        {"[]", "it is a JSON array, but a constants file is an object"},
    };
    for (const auto& [text, problem] : cases) {
        try {
            parseConstants(text, "c.json");
            ADD_FAILURE() << text;
        } catch (const StoreError& e) {
            const std::string english = storeProblemText(e.problem(), Language::English);
            EXPECT_EQ(english.rfind("c.json: is damaged: " + problem, 0), 0U) << english;
        }
    }
}

} // namespace
} // namespace gearsel
