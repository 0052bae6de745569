// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture of a listed train saved as an image: a PNG of fixed size or an SVG drawing,
// each made in memory and written as writeWholeFile() writes, all of it or nothing. (Its PDF
// file and its print go with the other pages, printer_output.h.)

#include "print/fit_picture_content.h"

#include <QString>

namespace gearsel {

// The size in pixels of a saved PNG picture and of an SVG drawing's view.
inline constexpr int kFitPictureWidth = 1600;
inline constexpr int kFitPictureHeight = 1200;

// Writes the picture as a PNG file at `path`. False, with the cause in `problem` when it is
// given, when that failed.
bool writeFitPicturePng(const QString& path, const FitPictureContent& content,
                        QString* problem = nullptr);

// Writes the picture as an SVG file at `path`, as writeFitPicturePng() does.
bool writeFitPictureSvg(const QString& path, const FitPictureContent& content,
                        QString* problem = nullptr);

} // namespace gearsel
