// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/picture_label.h"

#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QSvgRenderer>

namespace gearsel {

QPixmap renderPicture(const QString& resource, QSize size, qreal ratio) {
    if (size.isEmpty()) {
        return {};
    }
    const QSize device = (QSizeF(size) * ratio).toSize();
    // A banner is drawn anew after every search: each picture is rendered once per size.
    const QString key =
        QStringLiteral("gearsel:%1:%2x%3").arg(resource).arg(device.width()).arg(device.height());
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) {
        pixmap.setDevicePixelRatio(ratio);
        return pixmap;
    }
    if (resource.endsWith(QLatin1String(".svg"))) {
        QSvgRenderer renderer(resource);
        if (!renderer.isValid()) {
            return {};
        }
        pixmap = QPixmap(device);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(device)));
    } else {
        QImageReader reader(resource);
        const QImage image = reader.read();
        if (image.isNull()) {
            return {};
        }
        pixmap = QPixmap::fromImage(
            image.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    pixmap.setDevicePixelRatio(ratio);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

PictureLabel::PictureLabel(QWidget* parent) : ClickableLabel(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void PictureLabel::setPicture(const QString& resource) {
    resource_ = resource;
    render();
}

void PictureLabel::resizeEvent(QResizeEvent* event) {
    ClickableLabel::resizeEvent(event);
    render();
}

void PictureLabel::render() {
    if (!resource_.isEmpty()) {
        setPixmap(renderPicture(resource_, size(), devicePixelRatioF()));
    }
}

} // namespace gearsel
