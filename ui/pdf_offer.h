// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saving a page as a PDF file when it could not be printed: say why, offer the file, ask
// where, write it and report a file that cannot be written. The print command of the result
// list and the chart page both offer their pages this way.

#include <QString>
#include <functional>

namespace gearsel {

class Prompter;

// `fileName` in the user's documents folder, or in the home folder when there is none: where
// a save dialog starts.
QString documentsFilePath(const QString& fileName);

// `path` with ".`suffix`" added, unless it already ends so (in any case).
QString withSuffix(const QString& path, const QString& suffix);

struct PdfOffer {
    QString what;        // what the pages hold, as the questions name it: "挂轮表"
    QString defaultPath; // where the save dialog starts
};

// Tells `problem` and asks whether to save the pages as a PDF file; on Yes asks where, adds
// ".pdf" to a name without it and calls `write` with the path. Says where the file went, or
// names a file that `write` cannot write. Cancelling either question saves nothing.
void offerPdf(Prompter& prompter, const QString& problem, const PdfOffer& offer,
              const std::function<bool(const QString&)>& write);

} // namespace gearsel
