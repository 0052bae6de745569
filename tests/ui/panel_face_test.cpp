// SPDX-License-Identifier: GPL-3.0-or-later
// The painted face of the main panel as the window shows it: every pixel of the nine rings and
// the dots read back from the panel at two screen resolutions, the panels over the face, and a
// face that stays the same from paint to paint.

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

// Paints the face and returns the panel as shown, with the number of random draws it took.
std::pair<QImage, int> paintedPanel(BareFace& bare) {
    RandomSource random(3);
    int draws = 0;
    paintPanelFace(bare.face.panels().Ped0, style::kFrameOuter, [&] {
        ++draws;
        return random.uniform();
    });
    return {bare.face.panels().Ped0->grab().toImage(), draws};
}

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
    BareFace bare(twipsPerPixel);
    const auto [panel, draws] = paintedPanel(bare);
    QCOMPARE(draws, 3 * 9000);
    // Ring k is every pixel k pixels in, over the dots that fell on it.
    const int w = panel.width();
    const int h = panel.height();
    int dots = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int ring = std::min({x, y, w - 1 - x, h - 1 - y});
            const QColor colour = panel.pixelColor(x, y);
            if (ring <= 8 && colour != kRings[ring]) {
                QFAIL(qPrintable(QStringLiteral("ring %1 at %2,%3").arg(ring).arg(x).arg(y)));
            }
            dots += ring > 8 && colour == kRings[7] ? 1 : 0;
        }
    }
    QVERIFY2(dots > w * h / 20, qPrintable(QString::number(dots)));
}

void PanelFaceTest::panelsLieOverAFaceThatStays() {
    BareFace bare;
    MainFace& f = bare.face;
    f.panels().PedHelp->show();
    const QImage panel = paintedPanel(bare).first;
    // The notes panel's fill, not a dot, at its middle.
    QCOMPARE(panel.pixelColor(f.panels().PedHelp->geometry().center()), QColor(232, 232, 255));
    f.panels().Ped0->repaint();
    QCOMPARE(f.panels().Ped0->grab().toImage(), panel);
}

QTEST_MAIN(PanelFaceTest)
#include "panel_face_test.moc"
