// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/whole_file_output.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

namespace gearsel {

namespace {

bool failed(const QString& cause, QString* problem) {
    if (problem != nullptr) {
        *problem = cause;
    }
    return false;
}

// Every byte into the open, unbuffered `file`, and why not when one did not arrive: the system's
// word for the failed write (Qt reports a write cut short without one).
bool writeAll(QFileDevice& file, const QByteArray& bytes, QString* problem) {
    errno = 0;
    if (file.write(bytes) == bytes.size()) {
        return true;
    }
    return failed(errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString(),
                  problem);
}

bool writeDirectly(const QString& path, const QByteArray& bytes, QString* problem) {
    QFile device(path);
    if (!device.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return failed(device.errorString(), problem);
    }
    if (!writeAll(device, bytes, problem)) {
        return false;
    }
    device.close();
    if (device.error() != QFileDevice::NoError) {
        return failed(device.errorString(), problem);
    }
    return true;
}

} // namespace

bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* problem) {
    // QFileInfo follows links: a link to a device is written as the device.
    const QFileInfo target(path);
    if (target.exists() && target.isDir()) {
        return failed(QStringLiteral("it is a folder"), problem);
    }
    if (target.exists() && !target.isFile()) {
        return writeDirectly(path, bytes, problem);
    }
    // QSaveFile writes beside the link's target, flushes to the disk and renames on commit;
    // a write that failed on the way makes the commit fail and removes the temporary file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return failed(file.errorString(), problem);
    }
    if (!writeAll(file, bytes, problem)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        return failed(file.errorString(), problem);
    }
    return true;
}

} // namespace gearsel
