// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A first, careful look at JSON from a file that a user wrote or chose, before its values are
// used: every problem is told with its line and in the user's terms, and keys that a parser
// would quietly drop (the same key twice in one object, where the last one wins) are refused.
// The look also tells where each object and each of its keys stands, so that the reader of
// the values can name the line of what it refuses.

#include "store/store_problem.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gearsel {

struct JsonKey {
    std::string name; // with its escapes resolved
    int line = 0;
};

// One object of a JSON text.
struct JsonObjectOutline {
    int line = 0;     // of its opening brace
    int depth = 0;    // the arrays and objects around it; 0 for the document itself
    int element = -1; // its place in the array that holds it, from 0; -1 when not in an array
    std::vector<JsonKey> keys;

    // The line of its key `name`, or its own line when it has no such key.
    int lineOf(std::string_view name) const;
};

// The objects of a JSON text in the order of their opening braces.
using JsonOutline = std::vector<JsonObjectOutline>;

// The first problem of `text` as JSON, or nothing: text that is not UTF-8 (textProblem()),
// brackets nested deeper than `maxDepth` (TooDeep), a syntax error (NotJson, with line, column
// and the parser's account), a number beyond the range of doubles (NumberTooLarge), the same
// key twice in one object (KeyTwice, where a parser would quietly keep the last). Finding none,
// `outline` gets the text's objects.
std::optional<TextProblem> checkJson(std::string_view text, int maxDepth, JsonOutline& outline);

// The objects at `depth` that stand in an array, by their place in it: the machines of an
// array of machines (depth 1), the entries of the constants file's array (depth 2).
std::vector<const JsonObjectOutline*> arrayObjects(const JsonOutline& outline, int depth);

} // namespace gearsel
