// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/fit_picture_files.h"

#include "print/fit_picture_page.h"
#include "print/whole_file_output.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QSvgGenerator>

namespace gearsel {

namespace {

struct FitPictureFileText {
    Q_DECLARE_TR_FUNCTIONS(gearsel::FitPictureFiles)
};

bool notDrawn(QString* problem) {
    if (problem != nullptr) {
        *problem = QStringLiteral("the picture could not be drawn");
    }
    return false;
}

} // namespace

bool writeFitPicturePng(const QString& path, const FitPictureContent& content, QString* problem) {
    QImage image(kFitPictureWidth, kFitPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (!paintFitPictureOn(image, content)) {
        return notDrawn(problem);
    }
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    if (!image.save(&png, "PNG")) {
        return notDrawn(problem);
    }
    return writeWholeFile(path, png.data(), problem);
}

bool writeFitPictureSvg(const QString& path, const FitPictureContent& content, QString* problem) {
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&svg);
        generator.setSize(QSize(kFitPictureWidth, kFitPictureHeight));
        generator.setViewBox(QRect(0, 0, kFitPictureWidth, kFitPictureHeight));
        generator.setTitle(FitPictureFileText::tr("挂轮装配图"));
        generator.setDescription(content.machineName);
        if (!paintFitPictureOn(generator, content)) {
            return notDrawn(problem);
        }
    }
    return writeWholeFile(path, svg.data(), problem);
}

} // namespace gearsel
