// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which picture to show in a language. A picture with words on it (the banners, the computing
// notice, the printout's logo) has an English variant of the same name in the folder "en"
// beside it: ":/pictures/en/banner0.svg" for ":/pictures/banner0.svg". The Chinese pictures are
// the program's own and stay where they always were; a picture without words has no variant
// and serves every language.
//
// The choice is this one lookup rather than Qt's localized resources (<qresource lang="en">),
// as those follow QLocale's default, which would also change how the window reads and shows
// numbers; the window's language is chosen on its own (window_language.h).

#include "present/wording.h"

#include <QString>

namespace gearsel {

// The resource path of the picture `resource` (":/prefix/name.svg") as `language` shows it:
// its variant for the language when there is one, else `resource` itself.
QString pictureFor(const QString& resource, Language language);

} // namespace gearsel
