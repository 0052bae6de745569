// SPDX-License-Identifier: GPL-3.0-or-later
// A train's exact ratio and its exact mark against plain integer arithmetic, on every train
// that random gear sets can form.

#include "engine/train_fraction.h"

#include <gtest/gtest.h>
#include <numeric>
#include <random>
#include <vector>

namespace gearsel {
namespace {

TEST(TrainFractionTest, SinglePairsAndTwoPairsInLowestTerms) {
    EXPECT_EQ(trainFraction({25, 20, 0, 0}), Fraction(5, 4));
    EXPECT_EQ(trainFraction({20, 127, 120, 40}), Fraction(60, 127));
    EXPECT_EQ(trainFraction({255, 10, 255, 10}), Fraction(65025, 100));
    EXPECT_FALSE(isExactTrain({25, 20, 0, 0}, std::nullopt));
}

TEST(TrainFractionTest, ExactExactlyWhenTheCrossProductsAgree) {
    std::mt19937 random(101);
    std::uniform_int_distribution<int> teeth(10, 255);
    int exact = 0;
    for (int round = 0; round < 200; ++round) {
        std::vector<std::int16_t> gears(3 + round % 6);
        for (auto& z : gears) {
            z = static_cast<std::int16_t>(teeth(random));
        }
        // Half of the rounds ask for the ratio of one of the set's trains, unreduced.
        const auto pick = [&] { return std::int64_t{gears[random() % gears.size()]}; };
        std::int64_t p = pick() * pick();
        std::int64_t q = pick() * pick();
        if (round % 2 == 1) {
            p = 1 + random() % 70000;
            q = 1 + random() % 70000;
        }
        const Fraction required(p, q);
        const auto check = [&](std::int64_t z1, std::int64_t z2, std::int64_t z3, std::int64_t z4) {
            const GearTrain train{static_cast<std::int16_t>(z1), static_cast<std::int16_t>(z2),
                                  static_cast<std::int16_t>(z3), static_cast<std::int16_t>(z4)};
            const std::int64_t top = z3 == 0 ? z1 : z1 * z3;
            const std::int64_t bottom = z4 == 0 ? z2 : z2 * z4;
            const Fraction f = trainFraction(train);
            ASSERT_TRUE(f.den() > 0 && std::gcd(f.num(), f.den()) == 1 &&
                        f.num() * bottom == f.den() * top)
                << z1 << "/" << z2 << " x " << z3 << "/" << z4 << " gave " << f.text();
            const bool expected = top * q == bottom * p;
            ASSERT_EQ(isExactTrain(train, required), expected)
                << z1 << "/" << z2 << " x " << z3 << "/" << z4 << " for " << p << "/" << q;
            exact += expected ? 1 : 0;
        };
        for (const auto z1 : gears) {
            for (const auto z2 : gears) {
                check(z1, z2, 0, 0);
                for (const auto z3 : gears) {
                    for (const auto z4 : gears) {
                        check(z1, z2, z3, z4);
                    }
                }
            }
        }
    }
    EXPECT_GT(exact, 1000);
}

TEST(TrainFractionTest, DistanceToTheRequiredFractionComparedExactly) {
    // Worked by hand: the doubles of the first pair differ (20/127 x 120/40 rounds), the
    // fractions do not; 1 and 11/10 lie equally far from 21/20; near 2^62 only 1 is close.
    const std::int64_t big = std::int64_t{1} << 62;
    constexpr auto less = std::strong_ordering::less;
    constexpr auto same = std::strong_ordering::equal;
    constexpr auto more = std::strong_ordering::greater;
    const struct {
        const char* name;
        GearTrain a, b;
        Fraction required;
        std::strong_ordering expected;
    } cases[] = {
        {"one ratio, two roundings", {60, 127, 0, 0}, {20, 127, 120, 40}, {60, 127}, same},
        {"either side", {20, 20, 0, 0}, {110, 100, 0, 0}, {21, 20}, same},
        {"closer", {20, 20, 0, 0}, {110, 100, 0, 0}, {41, 40}, less},
        {"farther", {110, 100, 0, 0}, {20, 20, 0, 0}, {41, 40}, more},
        {"62-bit fraction", {20, 20, 255, 255}, {255, 254, 0, 0}, {big + 1, big}, less},
        {"negative fraction", {10, 255, 10, 255}, {20, 10, 0, 0}, {-1, 2}, less},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(compareDistance(c.a, c.b, c.required), c.expected) << c.name;
    }

    // Random trains against the distances worked out with fraction arithmetic.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> teeth(10, 255);
    const auto train = [&] {
        const auto z = [&] { return static_cast<std::int16_t>(teeth(random)); };
        return random() % 3 == 0 ? GearTrain{z(), z(), 0, 0} : GearTrain{z(), z(), z(), z()};
    };
    const auto distance = [](const GearTrain& t, const Fraction& r) {
        const Fraction d = *trainFraction(t).minus(r);
        return Fraction(d.num() < 0 ? -d.num() : d.num(), d.den());
    };
    int ties = 0;
    for (int round = 0; round < 20000; ++round) {
        const GearTrain a = train();
        // Every fourth round a train of the same ratio, rearranged.
        const bool single = a.z3 == 0;
        const GearTrain b = round % 4 != 0 ? train()
                            : single       ? GearTrain{a.z1, a.z2, 0, 0}
                                           : GearTrain{a.z1, a.z4, a.z3, a.z2};
        const Fraction required(1 + random() % 9000, 1 + random() % 3000);
        const auto difference = distance(a, required).minus(distance(b, required));
        ASSERT_TRUE(difference);
        const std::strong_ordering expected = difference->num() <=> 0;
        ties += expected == 0 ? 1 : 0;
        ASSERT_EQ(compareDistance(a, b, required), expected) << round;
    }
    EXPECT_GT(ties, 4000);
}

} // namespace
} // namespace gearsel
