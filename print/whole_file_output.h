// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a finished document into a file so that a failure leaves nothing half-written: the
// PDF files of the printouts go out this way.

#include <QByteArray>
#include <QString>

namespace gearsel {

// Writes `bytes` as the whole content of `path`. A regular file, or a new name, gets them in a
// temporary file beside it that takes its place by rename only once every byte has reached
// the disk, so a full disk leaves the old file as it was and no broken one; a symbolic link
// stays a link, and an existing file keeps its permissions. Something that is not a regular
// file (a device such as /dev/stdout, a named pipe) cannot be renamed onto and is written
// directly, every write checked. False, with the cause in `problem` when it is given, when
// anything failed.
bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* problem = nullptr);

} // namespace gearsel
