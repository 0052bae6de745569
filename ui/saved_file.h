// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the window's save dialogs start, and the word after a file is saved. Each kind of file
// starts in the folder where the last file of that kind went, kept across runs in the user's
// settings, so that a user who keeps charts in one folder is not sent to the documents folder
// every time.

#include <QString>

namespace gearsel {

class Prompter;

enum class SavedFileKind { Pdf, Csv };

// `fileName` in the folder where the last file of `kind` was saved, while that folder exists;
// otherwise in the user's documents folder (the home folder when there is none).
QString startingSavePath(SavedFileKind kind, const QString& fileName);

// Tells where `what` ("挂轮表") was saved and remembers the folder of `file` for the next save
// of `kind`.
void fileSaved(Prompter& prompter, SavedFileKind kind, const QString& what, const QString& file);

} // namespace gearsel
