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

} // namespace
} // namespace gearsel
