// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Exact fractions p/q of 64-bit whole numbers: the ratio of a gear train as its tooth counts
// give it, a required ratio typed as a fraction or as a short decimal, and the results of the
// ratio formulas wherever no π enters.

#include <cstdint>
#include <optional>
#include <string>

namespace gearsel {

// A fraction in lowest terms with a positive denominator, so that two fractions are equal
// exactly when their numerators and denominators are.
class Fraction {
public:
    // num/den reduced. Throws std::invalid_argument when den is 0 or when the reduced fraction
    // does not fit (only possible with -2^63 in it).
    Fraction(std::int64_t num, std::int64_t den);
    // The same, nothing instead of an exception.
    static std::optional<Fraction> make(std::int64_t num, std::int64_t den);

    std::int64_t num() const { return num_; }
    std::int64_t den() const { return den_; }

    // The double nearest to num/den, ties to the even neighbour: the value a decimal text of
    // the same number reads as.
    double toDouble() const;
    // "p/q", also for whole numbers ("2/1").
    std::string text() const;

    // Exact arithmetic. Nothing when the result does not fit 64-bit numerator and denominator,
    // and for a division by 0.
    std::optional<Fraction> times(const Fraction& other) const;
    std::optional<Fraction> dividedBy(const Fraction& other) const;
    std::optional<Fraction> minus(const Fraction& other) const;

    friend bool operator==(const Fraction&, const Fraction&) = default;

private:
    Fraction() = default;

    std::int64_t num_ = 0;
    std::int64_t den_ = 1;
};

} // namespace gearsel
