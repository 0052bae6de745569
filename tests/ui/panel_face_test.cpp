// The painted face of the main panel as the window shows it: the nine rings and the dots read
// back from the panel at two screen resolutions, the panels over the face, and a face that
// stays the same from paint to paint.

#include "bare_face.h"

#include "ui/panel_face.h"
#include "ui/random_source.h"

#include <QPixmap>

using namespace gearsel;
using namespace gearsel::testing;

namespace {

// The rings from the panel's edge inwards; the dots take the colour of ring 7.
const QColor kRings[] = {{47, 175, 143},  {67, 185, 157},  {87, 195, 171},
                         {107, 205, 185}, {128, 215, 199}, {148, 225, 213},
                         {168, 235, 227}, {188, 245, 241}, {208, 255, 255}};

QImage paintedPanel(BareFace& bare, std::uint32_t seed) {
    RandomSource random(seed);
    paintPanelFace(bare.face.Ped0, style::kFrameOuter, [&random] { return random.uniform(); });
    return bare.face.Ped0->grab().toImage();
}

} // namespace

class PanelFaceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ringsReadBack_data();
    void ringsReadBack();
    void panelsLieOverTheFace();
    void faceStaysTheSame();
};

void PanelFaceTest::ringsReadBack_data() {
    QTest::addColumn<int>("twipsPerPixel");
    QTest::addColumn<QSize>("pixels");
    QTest::newRow("15 twips per pixel") << 15 << QSize(576, 380);
    QTest::newRow("12 twips per pixel") << 12 << QSize(720, 475);
}

void PanelFaceTest::ringsReadBack() {
    QFETCH(int, twipsPerPixel);
    QFETCH(QSize, pixels);
    BareFace bare(twipsPerPixel);
    const QImage panel = paintedPanel(bare, 3);
    QCOMPARE(panel.size(), pixels);
    const int w = pixels.width();
    const int h = pixels.height();
    // Ring k lies k pixels in: along each side and at two corners.
    for (int k = 0; k < 9; ++k) {
        for (const QPoint& point :
             {QPoint(k, h / 2), QPoint(w - 1 - k, h / 2), QPoint(w / 2, k),
              QPoint(w / 2, h - 1 - k), QPoint(k, k), QPoint(w - 1 - k, h - 1 - k)}) {
            QVERIFY2(panel.pixelColor(point) == kRings[k],
                     qPrintable(
                         QStringLiteral("ring %1 at %2,%3").arg(k).arg(point.x()).arg(point.y())));
        }
    }
    int dots = 0;
    for (int y = 9; y < h - 9; ++y) {
        for (int x = 9; x < w - 9; ++x) {
            dots += panel.pixelColor(x, y) == kRings[7] ? 1 : 0;
        }
    }
    QVERIFY2(dots > w * h / 20, qPrintable(QString::number(dots)));
}

void PanelFaceTest::panelsLieOverTheFace() {
    BareFace bare;
    MainFace& f = bare.face;
    f.PedHelp->show();
    const QImage panel = paintedPanel(bare, 5);
    // The notes panel's fill, not a dot, at its middle; the margin beside it is frame.
    QCOMPARE(panel.pixelColor(f.PedHelp->geometry().center()), QColor(232, 232, 255));
    QCOMPARE(panel.pixelColor(0, f.PedHelp->geometry().center().y()), kRings[0]);
}

void PanelFaceTest::faceStaysTheSame() {
    BareFace bare;
    const QImage first = paintedPanel(bare, 9);
    bare.face.Ped0->repaint();
    QCOMPARE(bare.face.Ped0->grab().toImage(), first);
}

QTEST_MAIN(PanelFaceTest)
#include "panel_face_test.moc"
