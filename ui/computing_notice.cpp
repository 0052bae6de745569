// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/computing_notice.h"

#include "draw/localized_picture.h"
#include "ui/face_layout.h"
#include "ui/picture_label.h"
#include "ui/shape_widget.h"
#include "ui/ui_style.h"
#include "ui/window_language.h"

namespace gearsel {

ComputingNotice::ComputingNotice(const TwipsScale& scale, QWidget* face) : QWidget(face) {
    makePanel(this, "PicZZJS");
    setGeometry(computingNoticePlace(scale));
    auto* picture = new PictureLabel(this);
    picture->setObjectName(QStringLiteral("ImgZZJS"));
    picture->setGeometry(scale.rect(105, 60, 3600, 630));
    picture->setPicture(pictureFor(QStringLiteral(":/pictures/computing.svg"), windowLanguage()));
    // The frame lies over the picture.
    auto* frame = new ShapeWidget(style::kComputingBorder, std::nullopt, this);
    frame->setObjectName(QStringLiteral("Shape3"));
    frame->setGeometry(scale.rect(15, 45, 3810, 675));
    hide();
}

void ComputingNotice::showNow() {
    show();
    raise();
    repaint();
}

} // namespace gearsel
