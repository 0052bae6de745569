// SPDX-License-Identifier: GPL-3.0-or-later
// The painted face of the main panel: every pixel of the nine rings and the dots read back
// from a panel of the window's size at two screen resolutions, and in the window the panels
// over the face and a face that stays the same from paint to paint.

#include "window_fixture.h"

#include "ui/face_layout.h"
#include "ui/panel_face.h"
#include "ui/random_source.h"
#include "ui/ui_style.h"

#include <QPixmap>
#include <QTest>

using namespace gearsel;
using namespace gearsel::testing;

namespace {

// The rings from the panel's edge inwards; the dots take the colour of ring 7.
const QColor kRings[] = {{47, 175, 143},  {67, 185, 157},  {87, 195, 171},
                         {107, 205, 185}, {128, 215, 199}, {148, 225, 213},
                         {168, 235, 227}, {188, 245, 241}, {208, 255, 255}};

} // namespace

class PanelFaceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ringsAndDots_data();
    void ringsAndDots();
    void panelsLieOverAFaceThatStays();
};

void PanelFaceTest::ringsAndDots_data() {
    QTest::addColumn<int>("twipsPerPixel");
    QTest::newRow("15 twips per pixel") << 15;
    QTest::newRow("12 twips per pixel") << 12;
}

void PanelFaceTest::ringsAndDots() {
    QFETCH(int, twipsPerPixel);
    const TwipsScale scale(twipsPerPixel, twipsPerPixel);
    QWidget panel;
    makePanel(&panel, "Ped0");
    panel.resize(scale.rect(0, 0, kWindowWidthTwips, kWindowHeightTwips).size());
    RandomSource random(3);
    int draws = 0;
    paintPanelFace(&panel, style::kFrameOuter, [&] {
        ++draws;
        return random.uniform();
    });
    const QImage shown = panel.grab().toImage();
    QCOMPARE(draws, 3 * 9000);
    // Ring k is every pixel k pixels in, over the dots that fell on it.
    const int w = shown.width();
    const int h = shown.height();
    int dots = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int ring = std::min({x, y, w - 1 - x, h - 1 - y});
            const QColor colour = shown.pixelColor(x, y);
            if (ring <= 8 && colour != kRings[ring]) {
                QFAIL(qPrintable(QStringLiteral("ring %1 at %2,%3").arg(ring).arg(x).arg(y)));
            }
            dots += ring > 8 && colour == kRings[7] ? 1 : 0;
        }
    }
    QVERIFY2(dots > w * h / 20, qPrintable(QString::number(dots)));
}

void PanelFaceTest::panelsLieOverAFaceThatStays() {
    WindowFixture fixture({{"M", 15, fourteenGears()}});
    const FaceControls& f = fixture.face();
    f.PedHelp->show();
    const QImage panel = f.Ped0->grab().toImage();
    // The notes panel's fill, not a dot, at its middle.
    QCOMPARE(panel.pixelColor(f.PedHelp->geometry().center()), QColor(232, 232, 255));
    // The ring at the edge, which no control covers.
    QCOMPARE(panel.pixelColor(0, f.Ped0->height() / 2), kRings[0]);
    f.Ped0->repaint();
    QCOMPARE(f.Ped0->grab().toImage(), panel);
}

QTEST_MAIN(PanelFaceTest)
#include "panel_face_test.moc"
