// SPDX-License-Identifier: GPL-3.0-or-later
// Painting the main panel's face: the size and place of a dot from its three draws. The rings
// and the dots as the window shows them are read back in the panel face test.

#include "draw/panel_frame.h"

#include <QPainter>
#include <QTest>

using namespace gearsel;

class PanelFrameTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dotFromItsDraws_data();
    void dotFromItsDraws();
};

void PanelFrameTest::dotFromItsDraws_data() {
    QTest::addColumn<double>("draw");
    QTest::addColumn<int>("pixels");
    QTest::newRow("0.2 gives 1 pixel") << 0.2 << 1;
    QTest::newRow("0.25 is 1.5, even 2") << 0.25 << 4;
    QTest::newRow("0.75 is 2.5, even 2") << 0.75 << 4;
    QTest::newRow("0.76 gives 3") << 0.76 << 9;
}

void PanelFrameTest::dotFromItsDraws() {
    QFETCH(double, draw);
    QFETCH(int, pixels);
    QImage image(21, 21, QImage::Format_RGB32);
    image.fill(Qt::white);
    // The width first, then x and y; a fourth draw would be a second dot's.
    const QList<double> draws = {draw, 0.5, 0.5};
    qsizetype used = 0;
    QPainter painter(&image);
    drawSpeckles(painter, image.size(), Qt::red, 1, [&] { return draws.value(used++, 0.0); });
    painter.end();
    QCOMPARE(used, draws.size());
    const auto* bits = reinterpret_cast<const QRgb*>(image.constBits());
    QCOMPARE(std::count(bits, bits + image.width() * image.height(), qRgb(255, 0, 0)),
             std::ptrdiff_t(pixels));
    QCOMPARE(image.pixelColor(10, 10), QColor(Qt::red));
}

QTEST_MAIN(PanelFrameTest)
#include "panel_frame_test.moc"
