// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ui_style.h"

#include <QFontDatabase>
#include <QStringList>

namespace gearsel::style {

namespace {

// Faces for 宋体 (a Song, or Ming, face with serifs) and 黑体 (a sans face), best first: the
// Windows faces themselves where they exist, then what Debian's font packages bring. Each
// list ends with the other kind, so Chinese text always finds glyphs.
const QStringList kSongFaces = {"SimSun",
                                "NSimSun",
                                "AR PL UMing CN",
                                "Noto Serif CJK SC",
                                "AR PL SungtiL GB",
                                "Noto Sans CJK SC",
                                "WenQuanYi Micro Hei",
                                "WenQuanYi Zen Hei",
                                "Droid Sans Fallback"};
const QStringList kHeiFaces = {"SimHei",
                               "Microsoft YaHei",
                               "Noto Sans CJK SC",
                               "WenQuanYi Zen Hei",
                               "WenQuanYi Micro Hei",
                               "Droid Sans Fallback",
                               "AR PL UMing CN",
                               "Noto Serif CJK SC"};

QStringList installed(const QStringList& candidates) {
    const QStringList available = QFontDatabase::families();
    QStringList found;
    for (const QString& family : candidates) {
        if (available.contains(family, Qt::CaseInsensitive)) {
            found << family;
        }
    }
    return found;
}

} // namespace

void installFontSubstitutions() {
    const QStringList available = QFontDatabase::families();
    for (const auto& [names, faces] : {std::pair{QStringList{"宋体", "SimSun"}, kSongFaces},
                                       std::pair{QStringList{"黑体", "SimHei"}, kHeiFaces}}) {
        const QStringList found = installed(faces);
        for (const QString& name : names) {
            if (!found.isEmpty() && !available.contains(name)) {
                QFont::insertSubstitutions(name, found);
            }
        }
    }
}

QFont song(double pointSize) {
    QFont font(QStringLiteral("宋体"));
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace gearsel::style
