// SPDX-License-Identifier: GPL-3.0-or-later
// gearsel-render-icon SVG SIZE PNG: renders the program's icon as a SIZE x SIZE PNG with a
// transparent background, at build time, for the icon sizes desktops look up first. Painting
// on an image needs no display and, as the icon holds no text, no application object.

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: gearsel-render-icon SVG SIZE PNG\n");
        return 2;
    }
    int size = 0;
    try {
        size = std::stoi(argv[2]);
    } catch (const std::exception&) {
    }
    if (size < 1 || size > 4096) {
        std::fprintf(stderr, "gearsel-render-icon: bad size '%s'\n", argv[2]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "gearsel-render-icon: cannot read %s\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, size, size));
    }
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "gearsel-render-icon: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
