// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/fit_picture_page.h"

#include "draw/fit_picture_painter.h"
#include "present/fit_picture.h"
#include "present/fit_sentence.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace gearsel {

namespace {

// The texts, in the language of the translation installed (the window's).
struct FitPicturePageText {
    Q_DECLARE_TR_FUNCTIONS(gearsel::FitPicturePage)
};

QString millimetres(double value) {
    return QString::fromStdString(pictureLength(value));
}

QString geometryLine(const MachineGeometry& geometry) {
    const ToothSize& size = geometry.toothSize;
    QString line = size.unit == ToothSize::Unit::Module
                       ? FitPicturePageText::tr("模数 %1 mm").arg(millimetres(size.value))
                       : FitPicturePageText::tr("径节 %1").arg(millimetres(size.value));
    line += FitPicturePageText::tr("，中心距 D = %1 mm").arg(millimetres(geometry.centre));
    if (geometry.stud) {
        line += FitPicturePageText::tr("，挂轮架槽 %1–%2 mm")
                    .arg(millimetres(geometry.stud->min), millimetres(geometry.stud->max));
    }
    if (geometry.maxDiameter) {
        line += FitPicturePageText::tr("，罩壳内最大外径 %1 mm")
                    .arg(millimetres(*geometry.maxDiameter));
    }
    return line;
}

} // namespace

QString trainText(const GearTrain& train) {
    QString text = QStringLiteral("%1/%2").arg(train.z1).arg(train.z2);
    if (train.z3 != 0) {
        text += QStringLiteral(" × %1/%2").arg(train.z3).arg(train.z4);
    }
    return text;
}

QStringList fitPictureCaption(const FitPictureContent& content) {
    QStringList lines;
    lines << FitPicturePageText::tr("机床 %1　挂轮 %2")
                 .arg(content.machineName, trainText(content.train));
    if (!content.geometry) {
        lines << FitPicturePageText::tr("这台机床没有给出模数和中心距，无法画出挂轮的装配图。");
        return lines;
    }
    lines << geometryLine(*content.geometry);
    if (content.fit) {
        lines << QString::fromStdString(fitSentence(*content.fit, content.language));
    }
    return lines;
}

void paintFitPicturePage(QPainter& painter, const QRectF& target,
                         const FitPictureContent& content) {
    painter.save();
    painter.fillRect(target, Qt::white);
    QFont font(QStringLiteral("SimSun"));
    font.setPixelSize(std::max(10, static_cast<int>(target.height() / 40.0)));
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(font, painter.device());
    // Room between the lines: the CJK face drawn may stand taller than the metrics say.
    const double line = metrics.lineSpacing() * 1.3;
    const double margin = line;
    QStringList lines = fitPictureCaption(content);
    // Without a geometry the sentence that says so stands where the picture would.
    const QString instead = content.geometry ? QString() : lines.takeLast();
    double y = target.top() + margin;
    for (const QString& text : lines) {
        painter.drawText(QRectF(target.left() + margin, y, target.width() - 2 * margin, line),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
        y += line;
    }
    const QRectF pictureArea(target.left() + margin, y + margin / 2, target.width() - 2 * margin,
                             target.bottom() - margin - (y + margin / 2));
    if (!instead.isEmpty()) {
        painter.drawText(pictureArea, Qt::AlignCenter | Qt::TextWordWrap, instead);
    }
    painter.restore();
    if (!content.geometry || !content.fit || pictureArea.width() <= 0 ||
        pictureArea.height() <= 0) {
        return;
    }
    paintFitPicture(painter, pictureArea,
                    layOutFitPicture(*content.geometry, content.train, *content.fit));
}

bool paintFitPictureOn(QPaintDevice& device, const FitPictureContent& content) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    paintFitPicturePage(painter, QRectF(0, 0, device.width(), device.height()), content);
    return painter.end();
}

} // namespace gearsel
