// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seed and the number of random cases of the differential tests: fixed for CI, or, for a
// longer local run, GEARSEL_DIFF_SEED (a number, or "random") and GEARSEL_DIFF_CASES.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace gearsel {

// `ciSeed`, or GEARSEL_DIFF_SEED.
inline std::uint64_t diffSeed(std::uint64_t ciSeed) {
    const char* set = std::getenv("GEARSEL_DIFF_SEED");
    const std::string text = set != nullptr ? set : "";
    return text.empty() ? ciSeed
           : text == "random"
               ? (std::uint64_t{std::random_device{}()} << 32) | std::random_device{}()
               : std::strtoull(text.c_str(), nullptr, 10);
}

// Whether the tests run under the sanitizers, which make every search many times slower: the
// random comparisons then take a quarter of their cases, enough for the sanitizers to see each
// path, while the normal build runs them all.
#ifdef GEARSEL_SANITIZED
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif

// `normal` (a quarter under the sanitizers), or GEARSEL_DIFF_CASES / `share` for a test that
// takes that share of the cases.
inline int diffCases(int normal, int share = 1) {
    const char* set = std::getenv("GEARSEL_DIFF_CASES");
    if (set == nullptr || *set == '\0') {
        return kSanitized ? std::max(1, normal / 4) : normal;
    }
    return std::atoi(set) / share;
}

// The draws that random test inputs are made of, from one seeded stream.
class RandomDraws {
public:
    explicit RandomDraws(std::uint64_t seed) : rng_(seed) {}

    // 0 to n - 1.
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    double uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(rng_);
    }
    template <class T> T any(const std::vector<T>& values) {
        return values[static_cast<std::size_t>(below(static_cast<int>(values.size())))];
    }
    // The stream itself, for helpers that draw from it.
    std::mt19937_64& stream() { return rng_; }

private:
    std::mt19937_64 rng_;
};

} // namespace gearsel
