// SPDX-License-Identifier: GPL-3.0-or-later
// The picture of a mounted train read back: where the layout puts shafts, gears, texts and the
// slot for trains worked by hand, what it marks red, and where the stud goes when the train's
// centre distances cannot meet.

#include "present/fit_picture.h"

#include "engine/train_fitter.h"

#include <gtest/gtest.h>

namespace gearsel {
namespace {

MachineGeometry metric(double module, double centre, std::optional<StudRange> stud = {}) {
    return {{ToothSize::Unit::Module, module}, centre, stud, {}};
}

GearTrain train(int z1, int z2, int z3 = 0, int z4 = 0) {
    return {static_cast<std::int16_t>(z1), static_cast<std::int16_t>(z2),
            static_cast<std::int16_t>(z3), static_cast<std::int16_t>(z4)};
}

FitPicture picture(const MachineGeometry& geometry, const GearTrain& t,
                   const std::vector<std::int16_t>& gears = {}) {
    return layOutFitPicture(geometry, t, TrainFitter(geometry, gears).fit(t));
}

void expectPoint(PlanePoint actual, PlanePoint expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

TEST(FitPictureTest, TwoPairsStandWhereTheHandPutsThem) {
    // m = 2, D = 100, slot 40..90: 20/40 x 30/50 puts the stud at (48, 64) (a1 = 60, a2 = 80).
    const FitPicture p = picture(metric(2, 100, StudRange{40, 90}), train(20, 40, 30, 50));
    EXPECT_TRUE(p.fits);
    ASSERT_EQ(p.shafts.size(), 3U);
    expectPoint(p.shafts[0].centre, {0, 100});
    expectPoint(p.shafts[1].centre, {0, 0});
    expectPoint(p.shafts[2].centre, {48, 64});
    // Each mesh turns the next shaft the other way: input and output alike, the stud against.
    EXPECT_EQ(p.shafts[0].turning, 1);
    EXPECT_EQ(p.shafts[1].turning, 1);
    EXPECT_EQ(p.shafts[2].turning, -1);
    // The stud's smallest gear, 30 teeth, has a pitch radius of 30: its shaft is 3 m = 6 thick.
    EXPECT_EQ(p.shafts[2].radius, 6.0);

    // Radii m z / 2 and m (z + 2) / 2; tooth counts 0.6 pitch radii out, away from the gear
    // each meshes with: z1 from the stud along (-0.8, 0.6), z2 from the input along
    // (0.8, -0.6), z3 from the output along (0.6, 0.8), z4 from the stud along (-0.6, -0.8).
    const struct {
        GearPlace place;
        PlanePoint centre;
        double pitch;
        double outside;
        int plane;
        PlanePoint label;
    } gears[] = {
        {GearPlace::Z1, {0, 100}, 20, 22, 0, {-9.6, 107.2}},
        {GearPlace::Z2, {48, 64}, 40, 42, 0, {67.2, 49.6}},
        {GearPlace::Z3, {48, 64}, 30, 32, 1, {58.8, 78.4}},
        {GearPlace::Z4, {0, 0}, 50, 52, 1, {-18, -24}},
    };
    ASSERT_EQ(p.gears.size(), 4U);
    for (std::size_t k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(p.gears[k].place, gears[k].place);
        expectPoint(p.gears[k].centre, gears[k].centre);
        EXPECT_EQ(p.gears[k].pitchRadius, gears[k].pitch);
        EXPECT_EQ(p.gears[k].outsideRadius, gears[k].outside);
        EXPECT_EQ(p.gears[k].plane, gears[k].plane);
        expectPoint(p.gears[k].labelAt, gears[k].label);
        EXPECT_FALSE(p.gears[k].red);
    }

    // a1 and a2 labelled outside the triangle of the shafts; D left of z4 (52) by 0.06 D.
    ASSERT_EQ(p.distances.size(), 3U);
    EXPECT_EQ(p.distances[0].text, "a1 = 60");
    expectPoint(p.distances[0].labelAt, {24, 82});
    expectPoint(p.distances[0].labelSide, {0.6, 0.8});
    EXPECT_EQ(p.distances[1].text, "a2 = 80");
    expectPoint(p.distances[1].labelSide, {0.8, -0.6});
    EXPECT_EQ(p.distances[2].text, "D = 100");
    EXPECT_TRUE(p.distances[2].dimension);
    expectPoint(p.distances[2].from, {-58, 0});
    expectPoint(p.distances[2].to, {-58, 100});

    // The slot along the stud's ray (atan2(64, 48) = 53.13 degrees), 1.4 times the stud thick.
    ASSERT_TRUE(p.slot);
    EXPECT_NEAR(p.slot->rayDegrees, 53.130102354, 1e-9);
    EXPECT_EQ(p.slot->innerRadius, 40.0);
    EXPECT_EQ(p.slot->outerRadius, 90.0);
    EXPECT_NEAR(p.slot->halfWidth, 8.4, 1e-12);
    EXPECT_FALSE(p.slot->red);

    // Left: the dimension at -58; right: z2 at 48 + 42 = 90; top: z1 at 100 + 22; bottom: z4
    // at -52. The margin is 0.06 of the larger side, 0.06 * 174.
    EXPECT_NEAR(p.bounds.left, -58 - 10.44, 1e-9);
    EXPECT_NEAR(p.bounds.right, 90 + 10.44, 1e-9);
    EXPECT_NEAR(p.bounds.top, 122 + 10.44, 1e-9);
    EXPECT_NEAR(p.bounds.bottom, -52 - 10.44, 1e-9);
}

TEST(FitPictureTest, SinglePairsWithAndWithoutAnIdler) {
    // Pair 20/30 at m = 2, D = 100 takes the idler 35 at (33, 56): a1 = 55, a2 = 65. The
    // output turns as the input does, through two meshes.
    const FitPicture idler =
        picture(metric(2, 100, StudRange{60, 90}), train(20, 30), {20, 25, 30, 35});
    ASSERT_EQ(idler.gears.size(), 3U);
    EXPECT_EQ(idler.gears[1].place, GearPlace::Idler);
    EXPECT_EQ(idler.gears[1].teeth, 35);
    expectPoint(idler.gears[1].centre, {33, 56});
    expectPoint(idler.gears[2].centre, {0, 0});
    EXPECT_EQ(idler.shafts[1].turning, 1);
    EXPECT_EQ(idler.distances[0].text, "a1 = 55");
    EXPECT_EQ(idler.distances[1].text, "a2 = 65");

    // At D = 70 the pair meshes at 50 and the set has no idler: the line between the shafts
    // is red and says both lengths; the output turns against the input.
    const FitPicture alone = picture(metric(2, 70), train(20, 30));
    EXPECT_FALSE(alone.fits);
    EXPECT_EQ(alone.shafts.size(), 2U);
    EXPECT_EQ(alone.shafts[1].turning, -1);
    EXPECT_FALSE(alone.slot);
    EXPECT_EQ(alone.distances[0].text, "a = 50 \u2260 70");
    EXPECT_TRUE(alone.distances[0].red);
    // The input's name goes right: below is the line, above its tooth count, left the
    // dimension.
    expectPoint(alone.shafts[0].nameSide, {1, 0});
}

TEST(FitPictureTest, StudOutOfReachSitsWhereItsSecondPairMeshes) {
    const struct {
        const char* name;
        double centre;
        GearTrain train;
        PlanePoint stud;
        const char* a1;
    } cases[] = {
        // a1 = 60, a2 = 80, D = 150 > 140: at (0, 80) the input is 70 away, at (0, -80) 230.
        {"too far apart", 150, train(20, 40, 30, 50), {0, 80}, "a1 = 60 \u2260 70"},
        // a1 = 140, a2 = 40, D = 90 < 140 - 40: at (0, -40) the input is 130 away, at (0, 40) 50.
        {"first pair too long", 90, train(60, 80, 15, 25), {0, -40}, "a1 = 140 \u2260 130"},
        // a1 = 40, a2 = 140, D = 20 < 140 - 40: at (0, 140) the input is 120 away.
        {"second pair too long", 20, train(15, 25, 60, 80), {0, 140}, "a1 = 40 \u2260 120"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FitPicture p = picture(metric(2, c.centre, StudRange{10, 50}), c.train);
        EXPECT_FALSE(p.fits);
        expectPoint(p.shafts[2].centre, c.stud);
        EXPECT_EQ(p.distances[0].text, c.a1);
        EXPECT_TRUE(p.distances[0].red);
        EXPECT_EQ(p.slot->red, c.train.z3 + c.train.z4 > 50);
    }
}

TEST(FitPictureTest, LengthsWithAtMostTwoDecimals) {
    EXPECT_EQ(pictureLength(62.5), "62.5");
    EXPECT_EQ(pictureLength(60), "60");
    EXPECT_EQ(pictureLength(75.005), "75.01");
    EXPECT_EQ(pictureLength(100.004), "100");
    EXPECT_EQ(pictureLength(1.0 / 3.0), "0.33");
}

} // namespace
} // namespace gearsel
