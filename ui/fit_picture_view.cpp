// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fit_picture_view.h"

#include "print/fit_picture_page.h"

#include <QPainter>

namespace gearsel {

FitPictureView::FitPictureView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("fitPicture"));
    setAccessibleName(tr("挂轮装配图"));
    setMinimumSize(320, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void FitPictureView::showContent(const FitPictureContent& content) {
    content_ = content;
    setAccessibleDescription(fitPictureCaption(content).join(QLatin1Char('\n')));
    update();
}

void FitPictureView::showNoTrain() {
    content_.reset();
    setAccessibleDescription(noTrainText());
    update();
}

QString FitPictureView::noTrainText() {
    return tr("选配结果列表中没有挂轮。");
}

void FitPictureView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    if (content_) {
        paintFitPicturePage(painter, QRectF(rect()), *content_);
    } else {
        painter.fillRect(rect(), Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, noTrainText());
    }
}

} // namespace gearsel
