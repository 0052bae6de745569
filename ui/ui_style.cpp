#include "ui/ui_style.h"

#include <QFontDatabase>
#include <QStringList>

namespace gearsel::style {

namespace {

// CJK faces that Debian and Windows machines commonly have, best first.
QStringList installedCjkFamilies() {
    static const QStringList candidates = {
        "SimSun",           "NSimSun",           "WenQuanYi Micro Hei", "WenQuanYi Zen Hei",
        "Noto Sans CJK SC", "Noto Serif CJK SC", "AR PL UMing CN",      "Droid Sans Fallback",
        "Microsoft YaHei"};
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
    const QStringList families = installedCjkFamilies();
    if (families.isEmpty()) {
        return;
    }
    for (const char* name : {"宋体", "SimSun", "黑体", "SimHei"}) {
        if (!QFontDatabase::families().contains(QString::fromUtf8(name))) {
            QFont::insertSubstitutions(QString::fromUtf8(name), families);
        }
    }
}

QFont song(double pointSize) {
    QFont font(QStringLiteral("宋体"));
    font.setPointSizeF(pointSize);
    return font;
}

QFont hei(double pointSize) {
    QFont font(QStringLiteral("黑体"));
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace gearsel::style
