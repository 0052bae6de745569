// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a train can be mounted: three cases worked by hand, the bounds of every rule, and the
// fitter's integer bounds against the rules evaluated literally in doubles on random machines.

#include "engine/train_fitter.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace gearsel {
namespace {

using Gears = std::vector<std::int16_t>;

MachineGeometry metric(double module, double centre, std::optional<StudRange> stud = {},
                       std::optional<double> maxDiameter = {}) {
    return {{ToothSize::Unit::Module, module}, centre, stud, maxDiameter};
}

GearTrain pair(int z1, int z2) {
    return {static_cast<std::int16_t>(z1), static_cast<std::int16_t>(z2), 0, 0};
}

GearTrain train(int z1, int z2, int z3, int z4) {
    return {static_cast<std::int16_t>(z1), static_cast<std::int16_t>(z2),
            static_cast<std::int16_t>(z3), static_cast<std::int16_t>(z4)};
}

// The problems in report order, by their JSON names: "reach,slot".
std::string problemNames(const TrainFit& fit) {
    std::string names;
    for (FitProblem problem : kFitProblems) {
        if (fit.problems.has(problem)) {
            names += (names.empty() ? "" : ",") + std::string(fitProblemName(problem));
        }
    }
    return names;
}

// The stud was placed at `expected`, to a billionth of a millimetre.
void expectStudAt(const TrainFit& fit, PlanePoint expected) {
    ASSERT_TRUE(fit.stud);
    EXPECT_NEAR(fit.stud->x, expected.x, 1e-9);
    EXPECT_NEAR(fit.stud->y, expected.y, 1e-9);
}

TEST(TrainFitterTest, TwoPairsWorkedByHand) {
    // m = 2, D = 100, slot 40..90, cover 130; 20/40 x 30/50:
    //   a1 = 2 * (20 + 40) / 2 = 60, a2 = 2 * (30 + 50) / 2 = 80;
    //   reach: |60 - 80| = 20 <= 100 <= 140 = 60 + 80; slot: 40 <= 80 <= 90;
    //   the widest gear, 50, has 2 * (50 + 2) = 104 <= 130;
    //   y = (100² + 80² - 60²) / (2 * 100) = (10000 + 6400 - 3600) / 200 = 64,
    //   x = sqrt(80² - 64²) = sqrt(2304) = 48; check |IS| = sqrt(48² + 36²) = 60.
    const TrainFitter fitter(metric(2, 100, StudRange{40, 90}, 130), Gears{});
    const TrainFit fit = fitter.fit(train(20, 40, 30, 50));
    EXPECT_TRUE(fit.fits);
    EXPECT_TRUE(fitter.fits(20, 40, 30, 50));
    expectStudAt(fit, {48, 64});
    EXPECT_FALSE(fit.idler);
    EXPECT_FALSE(fit.reversesDirection());
    EXPECT_EQ(problemNames(fit), "");
}

TEST(TrainFitterTest, SinglePairMeshingDirectlyWorkedByHand) {
    // DP 12.7: m = 25.4 / 12.7 = 2 mm. D = 75.005.
    //   35/40: a = 2 * 75 / 2 = 75, |75 - 75.005| = 0.005 <= 0.01: direct, no stud, no idler.
    //   35/41: a = 76, 0.995 off: it needs an idler. The set's only 35 is the pair's own, so
    //   the idler is 40: a1 = 2 * (35 + 40) / 2 = 75, a2 = 2 * (40 + 41) / 2 = 81,
    //   |75 - 81| = 6 <= 75.005 <= 156; y = (5625.750025 + 6561 - 5625) / 150.01 = 43.742084...
    const MachineGeometry geometry{{ToothSize::Unit::DiametralPitch, 12.7}, 75.005, {}, {}};
    EXPECT_EQ(geometry.module(), 2.0);
    const TrainFitter fitter(geometry, Gears{35, 40, 41});
    const TrainFit direct = fitter.fit(pair(35, 40));
    EXPECT_TRUE(direct.fits);
    EXPECT_FALSE(direct.stud);
    EXPECT_FALSE(direct.idler);
    EXPECT_FALSE(direct.reversesDirection());
    const TrainFit apart = fitter.fit(pair(35, 41));
    EXPECT_TRUE(apart.fits);
    EXPECT_EQ(apart.idler, 40);
    EXPECT_TRUE(apart.reversesDirection());
    ASSERT_TRUE(apart.stud);
    EXPECT_NEAR(apart.stud->y, 43.742084, 1e-6);
}

TEST(TrainFitterTest, SinglePairThroughAnIdlerWorkedByHand) {
    // m = 2, D = 100, slot 60..90, cover 130; pair 20/30 meshes at 50, not 100.
    // An idler zi gives a1 = 20 + zi and a2 = zi + 30 (m / 2 = 1):
    //   reach: |a1 - a2| = 10 <= 100, and 100 <= a1 + a2 = 50 + 2 zi: zi >= 25;
    //   slot: 60 <= zi + 30 <= 90: 30 <= zi <= 60; cover: 2 (zi + 2) <= 130: zi <= 63.
    // The set 20 25 30 35 40 65: 25 is short of the slot, the only 30 is the pair's own z2,
    // so the idler is 35: a1 = 55, a2 = 65,
    //   y = (10000 + 4225 - 3025) / 200 = 56, x = sqrt(4225 - 3136) = sqrt(1089) = 33.
    const MachineGeometry geometry = metric(2, 100, StudRange{60, 90}, 130);
    const TrainFitter fitter(geometry, Gears{20, 25, 30, 35, 40, 65});
    const TrainFit fit = fitter.fit(pair(20, 30));
    EXPECT_TRUE(fit.fits);
    EXPECT_EQ(fit.idler, 35);
    EXPECT_TRUE(fit.reversesDirection());
    expectStudAt(fit, {33, 56});
    // A second 30 is free to be the idler.
    EXPECT_EQ(TrainFitter(geometry, Gears{20, 30, 30, 35}).fit(pair(20, 30)).idler, 30);
}

struct EdgeCase {
    const char* name;
    MachineGeometry geometry;
    GearTrain train;
    const char* problems; // "" when the train fits
    std::optional<PlanePoint> stud;
    Gears gears = {};
    std::optional<int> idler = {};
};

TEST(TrainFitterTest, BoundsOfEachRule) {
    const std::optional<PlanePoint> none;
    const Gears twenties = {10, 24, 25, 26, 40}, thirties = {15, 30, 30, 30}, pairOf30 = {30, 30};
    const Gears wide = {40, 45}, just27 = {27}, just100 = {100};
    const EdgeCase cases[] = {
        // 15/25 x 25/35 at m = 2: a1 = 40, a2 = 60.
        {"touching outside, D = a1 + a2: stud on the shafts' line", metric(2, 100),
         train(15, 25, 25, 35), "", PlanePoint{0, 60}},
        {"D within the slack above a1 + a2", metric(2, 100 + 5e-10), train(15, 25, 25, 35), "",
         PlanePoint{0, 60}},
        {"D beyond a1 + a2", metric(2, 100.000001), train(15, 25, 25, 35), "reach", none},
        // 15/25 x 60/80: a1 = 40, a2 = 140, y = (10000 + 19600 - 1600) / 200 = 140.
        {"touching inside, a2 - a1 = D: stud beyond the input", metric(2, 100),
         train(15, 25, 60, 80), "", PlanePoint{0, 140}},
        {"a2 - a1 beyond D", metric(2, 99.999999), train(15, 25, 60, 80), "reach", none},
        {"a1 - a2 beyond D", metric(2, 99.999999), train(60, 80, 15, 25), "reach", none},
        // m = 0.7: a1 = 7, a2 = 0.7 * 24 / 2 = 8.399999999999999, a1 + a2 just below 15.4.
        {"touching circles whose sum rounds below D", metric(0.7, 15.4), train(10, 10, 11, 13), "",
         PlanePoint{0, 8.4}},
        // 20/40 x 30/50 at m = 2, D = 100: a2 = 80, stud (48, 64) as worked by hand.
        {"a2 on the slot's smallest distance", metric(2, 100, StudRange{80, 90}),
         train(20, 40, 30, 50), "", PlanePoint{48, 64}},
        {"a2 on the slot's largest distance", metric(2, 100, StudRange{40, 80}),
         train(20, 40, 30, 50), "", PlanePoint{48, 64}},
        {"a2 short of the slot: stud still placed", metric(2, 100, StudRange{80.000001, 90}),
         train(20, 40, 30, 50), "slot", PlanePoint{48, 64}},
        {"a2 past the slot", metric(2, 100, StudRange{40, 79.999999}), train(20, 40, 30, 50),
         "slot", PlanePoint{48, 64}},
        {"out of reach and out of the slot", metric(2, 200, StudRange{10, 20}),
         train(20, 40, 30, 50), "reach,slot", none},
        // The widest gear, 50, is 2 * 52 = 104 across.
        {"outside diameter equal to the cover", metric(2, 100, {}, 104), train(20, 40, 30, 50), "",
         PlanePoint{48, 64}},
        {"one gear wider than the cover", metric(2, 100, {}, 103.99), train(20, 40, 30, 50),
         "diameter", PlanePoint{48, 64}},
        // Pair 20/30 at m = 2 meshes at 50; 30 is 64 across.
        {"a direct pair too wide for the cover", metric(2, 50, {}, 60), pair(20, 30), "diameter",
         none},
        {"within 0.01 of D meshes directly", metric(2, 50.01), pair(20, 30), "", none},
        {"0.011 off needs an idler", metric(2, 50.011), pair(20, 30), "no-idler", none},
        // 30/30 and zi: a1 = a2 = 30 + zi, 100 <= 60 + 2 zi from zi = 20 on; with zi = 30,
        // y = 100² / 200 = 50, x = sqrt(60² - 50²) = sqrt(1100).
        {"equal counts take a third copy as idler", metric(2, 100), pair(30, 30), "",
         PlanePoint{std::sqrt(1100.0), 50}, thirties, 30},
        {"equal counts leave two copies alone", metric(2, 100), pair(30, 30), "no-idler", none,
         pairOf30},
        // 20/30 and zi at D = 100: zi >= 25; zi = 25 gives a1 = 45, a2 = 55, touching:
        // y = (10000 + 3025 - 2025) / 200 = 55.
        {"the smallest idler that reaches", metric(2, 100), pair(20, 30), "", PlanePoint{0, 55},
         twenties, 25},
        // Cover 64: at most 30 teeth.
        {"idlers wider than the cover passed over", metric(2, 100, {}, 64), pair(20, 30),
         "no-idler", none, wide},
        // Cover 60: at most 28 teeth, the pair's 50 is too wide. 27 reaches (70 + 54 >= 100):
        // a1 = 47, a2 = 77, y = (10000 + 5929 - 2209) / 200 = 68.6, x = sqrt(5929 - 4705.96).
        {"an idler for a pair wider than the cover", metric(2, 100, {}, 60), pair(20, 50),
         "diameter", PlanePoint{std::sqrt(1223.04), 68.6}, just27, 27},
        // |a1 - a2| = m |z1 - z2| / 2 = 25 > 20 whatever the idler.
        {"pair too unequal for any idler", metric(2, 20), pair(20, 45), "no-idler", none, just100},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TrainFitter fitter(c.geometry, c.gears);
        const TrainFit fit = fitter.fit(c.train);
        EXPECT_EQ(problemNames(fit), c.problems);
        EXPECT_EQ(fit.fits, std::string(c.problems).empty());
        EXPECT_EQ(fitter.fits(c.train), fit.fits);
        EXPECT_EQ(fit.idler, c.idler);
        if (c.stud) {
            expectStudAt(fit, *c.stud);
        } else {
            EXPECT_FALSE(fit.stud);
        }
    }
}

// What the picture marks red: gears wider than the cover ("z4") and centre distances that do
// not close ("IS" input to stud, "SO" stud to output, "IO" input to output).
std::string marks(const TrainFit& fit) {
    std::string out;
    const auto mark = [&out](bool on, const char* name) {
        if (on) {
            out += (out.empty() ? "" : ",") + std::string(name);
        }
    };
    mark(fit.oversized.has(GearPlace::Z1), "z1");
    mark(fit.oversized.has(GearPlace::Z2), "z2");
    mark(fit.oversized.has(GearPlace::Z3), "z3");
    mark(fit.oversized.has(GearPlace::Z4), "z4");
    mark(fit.oversized.has(GearPlace::Idler), "idler");
    mark(fit.openLinks.has(Link::InputStud), "IS");
    mark(fit.openLinks.has(Link::StudOutput), "SO");
    mark(fit.openLinks.has(Link::InputOutput), "IO");
    return out;
}

TEST(TrainFitterTest, FailuresMarkTheGearsAndDistancesAtFault) {
    const struct {
        const char* name;
        MachineGeometry geometry;
        GearTrain train;
        const char* marks;
    } cases[] = {
        // 20/40 x 30/50 at m = 2: a1 = 60, a2 = 80; outside diameters 44, 84, 64, 104.
        {"fits: nothing marked", metric(2, 100, StudRange{40, 90}, 130), train(20, 40, 30, 50), ""},
        {"out of reach: a1 does not close", metric(2, 150), train(20, 40, 30, 50), "IS"},
        {"outside the slot: a2", metric(2, 100, StudRange{40, 70}), train(20, 40, 30, 50), "SO"},
        {"the gears wider than 80", metric(2, 100, {}, 80), train(20, 40, 30, 50), "z2,z4"},
        {"a single pair's output gear", metric(2, 50, {}, 60), pair(20, 30), "z2"},
        {"a single pair without an idler", metric(2, 70), pair(20, 30), "IO"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(marks(TrainFitter(c.geometry, Gears{}).fit(c.train)), c.marks);
    }
}

// The rules as written, in doubles, one gear of the set after the other.
struct LiteralFit {
    std::string problems;
    std::optional<int> idler;
};

LiteralFit literalFit(const MachineGeometry& g, const Gears& gears, const GearTrain& t) {
    const double m = g.module();
    const double d = g.centre;
    const auto le = [](double x, double y) { return x <= y + 1e-9; };
    const auto covered = [&](int z) { return !g.maxDiameter || le(m * (z + 2), *g.maxDiameter); };
    const auto inSlot = [&](double a2) {
        return !g.stud || (le(g.stud->min, a2) && le(a2, g.stud->max));
    };
    const auto reach = [&](double a1, double a2) {
        return le(std::fabs(a1 - a2), d) && le(d, a1 + a2);
    };
    LiteralFit out;
    std::vector<std::string> names;
    if (t.z3 == 0) {
        const bool wide = !covered(t.z1) || !covered(t.z2);
        const double a = m * (t.z1 + t.z2) / 2;
        bool meshes = le(std::fabs(a - d), 0.01);
        for (int zi = kMinTeeth; !meshes && zi <= kMaxTeeth; ++zi) {
            const auto copies = std::count(gears.begin(), gears.end(), zi);
            const double a1 = m * (t.z1 + zi) / 2;
            const double a2 = m * (zi + t.z2) / 2;
            if (copies > (zi == t.z1) + (zi == t.z2) && covered(zi) && reach(a1, a2) &&
                inSlot(a2)) {
                out.idler = zi;
                meshes = true;
            }
        }
        out.problems = std::string(wide ? "diameter" : "") + (wide && !meshes ? "," : "") +
                       (meshes ? "" : "no-idler");
        return out;
    }
    const double a1 = m * (t.z1 + t.z2) / 2;
    const double a2 = m * (t.z3 + t.z4) / 2;
    if (!reach(a1, a2)) {
        names.push_back("reach");
    }
    if (!inSlot(a2)) {
        names.push_back("slot");
    }
    if (!covered(t.z1) || !covered(t.z2) || !covered(t.z3) || !covered(t.z4)) {
        names.push_back("diameter");
    }
    for (const auto& name : names) {
        out.problems += (out.problems.empty() ? "" : ",") + name;
    }
    return out;
}

TEST(TrainFitterTest, BoundsAgreeWithTheRulesOnRandomMachines) {
    std::mt19937 random(22);
    const auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    const auto whole = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    // Half of the lengths fall exactly on a centre distance or an outside diameter, where the
    // slack decides.
    const double modules[] = {1, 1.25, 1.5, 2, 2.5, 3, 0.7, 0.3};
    int fitting = 0;
    for (int machine = 0; machine < 400; ++machine) {
        const bool diametral = whole(0, 3) == 0;
        const ToothSize size = diametral
                                   ? ToothSize{ToothSize::Unit::DiametralPitch, 1.0 * whole(8, 24)}
                                   : ToothSize{ToothSize::Unit::Module, modules[whole(0, 7)]};
        const double m = size.module();
        const auto length = [&](double low, double high) {
            return whole(0, 1) == 0 ? m * whole(20, 300) / 2 : uniform(low, high);
        };
        MachineGeometry geometry{size, length(10 * m, 150 * m), {}, {}};
        if (whole(0, 2) > 0) {
            const double rmin = length(0, 80 * m);
            geometry.stud = StudRange{rmin, rmin + length(0, 100 * m)};
        }
        if (whole(0, 2) > 0) {
            geometry.maxDiameter =
                whole(0, 1) == 0 ? m * (whole(20, 120) + 2) : uniform(0.1, 130 * m);
        }
        Gears gears(static_cast<std::size_t>(whole(1, 12)));
        for (auto& z : gears) {
            z = static_cast<std::int16_t>(whole(kMinTeeth, 120));
        }
        const TrainFitter fitter(geometry, gears);
        for (int k = 0; k < 100; ++k) {
            const auto any = [&] {
                return gears[static_cast<std::size_t>(
                    whole(0, static_cast<int>(gears.size()) - 1))];
            };
            const GearTrain t = k % 3 == 0 ? pair(any(), any()) : train(any(), any(), any(), any());
            const LiteralFit expected = literalFit(geometry, gears, t);
            const TrainFit fit = fitter.fit(t);
            SCOPED_TRACE(::testing::Message() << "machine " << machine << " train " << t.z1 << "/"
                                              << t.z2 << " " << t.z3 << "/" << t.z4);
            ASSERT_EQ(problemNames(fit), expected.problems);
            ASSERT_EQ(fit.idler, expected.idler);
            ASSERT_EQ(fitter.fits(t), fit.fits);
            ASSERT_EQ(fit.fits, expected.problems.empty());
            fitting += static_cast<int>(fit.fits);
            if (fit.stud) {
                // The stud lies on both circles, on the side x >= 0.
                const int s1 = fit.idler ? t.z1 + *fit.idler : t.z1 + t.z2;
                const int s2 = fit.idler ? *fit.idler + t.z2 : t.z3 + t.z4;
                EXPECT_GE(fit.stud->x, 0.0);
                EXPECT_NEAR(std::hypot(fit.stud->x, fit.stud->y), m * s2 / 2, 1e-6);
                EXPECT_NEAR(std::hypot(fit.stud->x, fit.stud->y - geometry.centre), m * s1 / 2,
                            1e-6);
            }
        }
    }
    // Both answers are common enough to be tested.
    EXPECT_GT(fitting, 4000);
    EXPECT_LT(fitting, 36000);
}

TEST(MachineGeometryTest, RefusesLengthsThatCannotBe) {
    using Kind = GeometryProblem::Kind;
    const double nan = std::nan("");
    const struct {
        const char* name;
        MachineGeometry geometry;
        std::optional<Kind> problem;
    } cases[] = {
        {"every part given", metric(2, 100, StudRange{40, 90}, 130), {}},
        {"only module and centre", metric(2, 100), {}},
        {"a slot of one distance from 0", metric(2, 100, StudRange{0, 0}), {}},
        {"module 0", metric(0, 100), Kind::ModuleOutOfRange},
        {"diametral pitch below 0",
         {{ToothSize::Unit::DiametralPitch, -8}, 100, {}, {}},
         Kind::ModuleOutOfRange},
        {"module not a number", metric(nan, 100), Kind::ModuleOutOfRange},
        {"centre 0", metric(2, 0), Kind::CentreOutOfRange},
        {"centre past a kilometre", metric(2, 1e6 + 1), Kind::CentreOutOfRange},
        {"stud below 0", metric(2, 100, StudRange{-1, 90}), Kind::StudOutOfRange},
        {"stud infinite", metric(2, 100, StudRange{40, INFINITY}), Kind::StudOutOfRange},
        {"stud reversed", metric(2, 100, StudRange{90, 40}), Kind::StudReversed},
        {"cover 0", metric(2, 100, {}, 0.0), Kind::MaxDiameterOutOfRange},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto problem = findGeometryProblem(c.geometry);
        ASSERT_EQ(problem.has_value(), c.problem.has_value());
        if (problem) {
            EXPECT_EQ(problem->kind, *c.problem);
            EXPECT_THROW(TrainFitter(c.geometry, Gears{}), GeometryRefused);
        }
    }
    EXPECT_THROW(TrainFitter(metric(2, 100), Gears{20, 9}), std::invalid_argument);
}

} // namespace
} // namespace gearsel
