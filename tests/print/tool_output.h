// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Running a command-line tool on a printed file, as poppler's pdftotext and pdfinfo read PDFs.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace gearsel::test {

// What `tool` prints on stdout; empty when it cannot be run or fails.
inline QString toolOutput(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    const bool ran = process.waitForFinished(30000) && process.exitCode() == 0;
    return ran ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

} // namespace gearsel::test
