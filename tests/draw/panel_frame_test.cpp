// Painting the main panel's face: the width of single dots from their draws, and the frame
// drawn over the dots that fall on it.

#include "draw/panel_frame.h"

#include <QPainter>
#include <QTest>

using namespace gearsel;

namespace {

// The numbers a test feeds the painter, in order and over again; `used` counts them.
std::function<double()> scripted(QList<double> draws, int& used) {
    return [draws, &used] { return draws[used++ % draws.size()]; };
}

} // namespace

class PanelFrameTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dotWidths_data();
    void dotWidths();
    void frameCoversTheDotsOnIt();
};

void PanelFrameTest::dotWidths_data() {
    QTest::addColumn<double>("draw");
    QTest::addColumn<int>("pixels");
    QTest::newRow("0.2 gives 1 pixel") << 0.2 << 1;
    QTest::newRow("0.25 is 1.5, even 2") << 0.25 << 4;
    QTest::newRow("0.75 is 2.5, even 2") << 0.75 << 4;
    QTest::newRow("0.76 gives 3") << 0.76 << 9;
}

void PanelFrameTest::dotWidths() {
    QFETCH(double, draw);
    QFETCH(int, pixels);
    QImage image(21, 21, QImage::Format_RGB32);
    image.fill(Qt::white);
    int used = 0;
    QPainter painter(&image);
    drawSpeckles(painter, image.size(), Qt::red, 1, scripted({draw, 0.5, 0.5}, used));
    painter.end();
    QCOMPARE(used, 3);
    int red = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            red += image.pixelColor(x, y) == Qt::red ? 1 : 0;
        }
    }
    QCOMPARE(red, pixels);
    QCOMPARE(image.pixelColor(10, 10), QColor(Qt::red));
}

void PanelFrameTest::frameCoversTheDotsOnIt() {
    // Every other dot is 3 pixels wide on the left edge, the others in the middle.
    const QColor frame(47, 175, 143);
    const QColor back(208, 255, 255);
    int used = 0;
    const QImage face = panelFaceImage(QSize(200, 100), frame, back,
                                       scripted({0.9, 0.0, 0.5, 0.9, 0.5, 0.5}, used));
    QCOMPARE(used, 3 * kSpeckleCount);
    const FrameColours colours = frameColours(frame, back);
    QCOMPARE(face.pixelColor(0, 50), colours.rings[0]);
    QCOMPARE(face.pixelColor(1, 50), colours.rings[1]);
    QCOMPARE(face.pixelColor(100, 50), colours.speckle);
    QCOMPARE(face.pixelColor(100, 20), back);
}

QTEST_MAIN(PanelFrameTest)
#include "panel_frame_test.moc"
