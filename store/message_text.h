// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A message of the store in both languages the program speaks: Chinese, which the window
// shows, and English, which the command-line tool prints on stderr. Parts are joined with +,
// each language with its own.

#include <string>

namespace gearsel {

struct MessageText {
    std::string chinese;
    std::string english;

    friend MessageText operator+(MessageText a, const MessageText& b) {
        a.chinese += b.chinese;
        a.english += b.english;
        return a;
    }
};

// A part that reads the same in both languages: a number, a name, a path.
inline MessageText same(const std::string& text) {
    return {text, text};
}

} // namespace gearsel
