// SPDX-License-Identifier: GPL-3.0-or-later
// Painting the picture of a mounted train: the map from millimetres to the device, and the
// painted image read back at spots worked out from the layout: each gear's outside circle where
// its centre and radius put it, red where the train fails. With GEARSEL_PICTURE_DIR set, the
// pictures of the checked trains are also saved there as PNG files for a person to look at.

#include "draw/fit_picture_painter.h"
#include "engine/train_fitter.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <cmath>

using namespace gearsel;

namespace {

MachineGeometry metric(double module, double centre, std::optional<StudRange> stud,
                       std::optional<double> maxDiameter) {
    return {{ToothSize::Unit::Module, module}, centre, stud, maxDiameter};
}

GearTrain train(int z1, int z2, int z3, int z4) {
    return {static_cast<std::int16_t>(z1), static_cast<std::int16_t>(z2),
            static_cast<std::int16_t>(z3), static_cast<std::int16_t>(z4)};
}

struct Painted {
    FitPicture picture;
    QImage image;
    QTransform map;
};

Painted paint(const MachineGeometry& geometry, const std::vector<std::int16_t>& gears,
              const GearTrain& t, const char* name) {
    Painted out;
    out.picture = layOutFitPicture(geometry, t, TrainFitter(geometry, gears).fit(t));
    out.image = QImage(1200, 900, QImage::Format_RGB32);
    out.image.fill(Qt::black);
    const QRectF target(0, 0, 1200, 900);
    QPainter painter(&out.image);
    paintFitPicture(painter, target, out.picture);
    painter.end();
    out.map = fitPictureTransform(out.picture.bounds, target);
    const QString folder = qEnvironmentVariable("GEARSEL_PICTURE_DIR");
    if (!folder.isEmpty()) {
        const QString file = QDir(folder).filePath(QString::fromLatin1(name) + ".png");
        if (!out.image.save(file)) {
            qFatal("cannot write %s", qPrintable(file));
        }
    }
    return out;
}

// The colour within two pixels of `spot` that comes nearest to `wanted`, by its largest
// component difference.
int colourDistance(const QImage& image, QPointF spot, const QColor& wanted) {
    int best = 256;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const QColor c = image.pixelColor(qRound(spot.x()) + dx, qRound(spot.y()) + dy);
            best = std::min(best, std::max({std::abs(c.red() - wanted.red()),
                                            std::abs(c.green() - wanted.green()),
                                            std::abs(c.blue() - wanted.blue())}));
        }
    }
    return best;
}

const PictureGear& gearAt(const FitPicture& picture, GearPlace place) {
    for (const PictureGear& gear : picture.gears) {
        if (gear.place == place) {
            return gear;
        }
    }
    qFatal("no such gear in the picture");
}

// The rightmost point of a gear's outside circle, where the picture has nothing else.
QPointF rightOf(const Painted& p, GearPlace place) {
    const PictureGear& gear = gearAt(p.picture, place);
    return p.map.map(QPointF(gear.centre.x + gear.outsideRadius, gear.centre.y));
}

} // namespace

class FitPicturePainterTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void millimetresMapToScaleCentredAndUpright();
    void gearsStandWhereTheLayoutPutsThem();
    void failuresArePaintedRed();
};

void FitPicturePainterTest::millimetresMapToScaleCentredAndUpright() {
    // 100 x 100 mm into 400 x 200 pixels: 2 pixels a millimetre, 100 pixels spare on each side.
    const QTransform map = fitPictureTransform({-10, -20, 90, 80}, QRectF(0, 0, 400, 200));
    QCOMPARE(map.map(QPointF(-10, 80)), QPointF(100, 0));
    QCOMPARE(map.map(QPointF(90, -20)), QPointF(300, 200));
    QCOMPARE(map.map(QPointF(40, 30)), QPointF(200, 100));
    // A target anywhere on the device.
    QCOMPARE(fitPictureTransform({0, 0, 10, 10}, QRectF(50, 60, 20, 20)).map(QPointF(10, 10)),
             QPointF(70, 60));
}

void FitPicturePainterTest::gearsStandWhereTheLayoutPutsThem() {
    // m = 2, D = 100: 20/40 x 30/50 puts the stud at (48, 64); z4 (50 teeth, 104 mm across)
    // turns about the output shaft, z3 (30 teeth, 64 mm) about the stud.
    const FitPictureColours colours;
    const Painted p =
        paint(metric(2, 100, StudRange{40, 90}, 130), {}, train(20, 40, 30, 50), "two-pairs");
    QVERIFY(p.picture.fits);
    QCOMPARE(rightOf(p, GearPlace::Z4), p.map.map(QPointF(52, 0)));
    QCOMPARE(rightOf(p, GearPlace::Z3), p.map.map(QPointF(48 + 32, 64)));
    QVERIFY(colourDistance(p.image, rightOf(p, GearPlace::Z4), colours.front) < 40);
    QVERIFY(colourDistance(p.image, rightOf(p, GearPlace::Z3), colours.front) < 40);
    QVERIFY(colourDistance(p.image, rightOf(p, GearPlace::Z1), colours.rear) < 40);
    // Half way between the pitch circle and the outside circle of z4, the tint of its body;
    // the paper outside every circle.
    const QColor body = p.image.pixelColor(p.map.map(QPointF(51, 0)).toPoint());
    QVERIFY(body != colours.paper && body.blue() < body.red());
    QCOMPARE(p.image.pixelColor(p.map.map(QPointF(55, 0)).toPoint()), colours.paper);
    // The slot runs from 40 to 90 mm along the stud's ray, 16.8 mm wide, under the gears: at
    // 60 mm, 4 mm aside from the line to the stud, the picture is darker than that of a
    // machine whose slot is unknown.
    const Painted bare = paint(metric(2, 100, {}, 130), {}, train(20, 40, 30, 50), "no-slot");
    const QPointF along(60 * 0.6 - 4 * 0.8, 60 * 0.8 + 4 * 0.6);
    QVERIFY(qGray(p.image.pixel(p.map.map(along).toPoint())) <
            qGray(bare.image.pixel(bare.map.map(along).toPoint())) - 10);
    QCOMPARE(p.image.pixelColor(1, 1), colours.paper);
}

void FitPicturePainterTest::failuresArePaintedRed() {
    const FitPictureColours colours;
    // The same train under an 80 mm cover: z2 (84 mm) and z4 (104 mm) are too wide.
    const Painted covered =
        paint(metric(2, 100, StudRange{40, 90}, 80), {}, train(20, 40, 30, 50), "too-wide");
    QVERIFY(colourDistance(covered.image, rightOf(covered, GearPlace::Z4), colours.clash) < 40);
    QVERIFY(colourDistance(covered.image, rightOf(covered, GearPlace::Z3), colours.front) < 40);
    // D = 150 is more than a1 + a2 = 140: the stud sits where z3 meets z4, at (0, 80), and the
    // line from the input shaft at (0, 150) to it is red.
    const Painted apart =
        paint(metric(2, 150, StudRange{40, 70}, {}), {}, train(20, 40, 30, 50), "out-of-reach");
    QVERIFY(!apart.picture.fits);
    QCOMPARE(gearAt(apart.picture, GearPlace::Z3).centre, (PlanePoint{0, 80}));
    QVERIFY(colourDistance(apart.image, apart.map.map(QPointF(0, 115)), colours.clash) < 40);
    // a2 = 80 lies beyond the slot's 70 mm: the slot is edged red, and so is the dashed arc
    // its end sweeps, here 0.3 radians from the slot.
    QVERIFY(colourDistance(apart.image,
                           apart.map.map(QPointF(70 * std::sin(0.3), 70 * std::cos(0.3))),
                           colours.clash) < 40);
    // A single pair 20/30 meshes at 50 mm, 20 short of D = 70, and the set has no idler: the
    // line between the shafts is red between the gears, 22 and 32 mm out from the shafts.
    const Painted alone = paint(metric(2, 70, {}, {}), {}, train(20, 30, 0, 0), "no-idler");
    QVERIFY(colourDistance(alone.image, alone.map.map(QPointF(0, 40)), colours.clash) < 40);
    // A single pair that meshes through an idler: the idler in its own colour.
    const Painted idler = paint(metric(2, 100, StudRange{60, 90}, 130), {20, 25, 30, 35, 40, 65},
                                train(20, 30, 0, 0), "idler");
    QVERIFY(idler.picture.fits);
    QVERIFY(colourDistance(idler.image, rightOf(idler, GearPlace::Idler), colours.idler) < 40);
}

QTEST_MAIN(FitPicturePainterTest)
#include "fit_picture_painter_test.moc"
