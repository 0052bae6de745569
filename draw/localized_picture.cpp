// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/localized_picture.h"

#include <QFile>

namespace gearsel {

QString pictureFor(const QString& resource, Language language) {
    if (language == Language::Chinese) {
        return resource;
    }
    const qsizetype slash = resource.lastIndexOf(QLatin1Char('/'));
    QString variant = resource;
    variant.insert(slash + 1, QStringLiteral("en/"));
    return QFile::exists(variant) ? variant : resource;
}

} // namespace gearsel
