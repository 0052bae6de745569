// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's own texts (the buttons of message boxes, the file dialog) in Simplified Chinese, so
// that they match the window's texts whatever the desktop's language is.

class QCoreApplication;

namespace gearsel {

// Loads Qt's Simplified-Chinese translation from Qt's translations folder and installs it on
// `app`. Says false, and leaves Qt's English texts, when the translation is not installed.
bool installQtChineseTranslation(QCoreApplication& app);

} // namespace gearsel
