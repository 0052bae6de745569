// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/triple_products.h"

namespace gearsel {

namespace {

// Sorts by product and keeps the order of equal products: two passes of a radix sort over
// 12 bits each, as every product of three tooth counts stays below 2^24.
void sortByProduct(std::vector<TripleProducts::Triple>& triples) {
    constexpr int kBits = 12;
    constexpr std::uint32_t kMask = (1U << kBits) - 1;
    std::vector<TripleProducts::Triple> sorted(triples.size());
    for (int shift = 0; shift < 2 * kBits; shift += kBits) {
        std::vector<std::size_t> start((1U << kBits) + 1, 0);
        for (const auto& t : triples) {
            ++start[(t.product >> shift & kMask) + 1];
        }
        for (std::size_t d = 1; d < start.size(); ++d) {
            start[d] += start[d - 1];
        }
        for (const auto& t : triples) {
            sorted[start[t.product >> shift & kMask]++] = t;
        }
        triples.swap(sorted);
    }
}

} // namespace

TripleProducts::TripleProducts(std::span<const int> counts,
                               const std::array<int, kMaxTeeth + 1>& limits,
                               const std::optional<int>& required, bool distinct,
                               const std::function<bool(int, int, int)>& keep) {
    const auto limit = [&](int teeth) { return limits[static_cast<std::size_t>(teeth)]; };
    const std::size_t n = counts.size();
    // Built in ascending (a, b, c), which the stable sort keeps within each product.
    for (std::size_t i = 0; i < n; ++i) {
        const int a = counts[i];
        if (limit(a) < 1) {
            continue;
        }
        for (std::size_t j = distinct ? i + 1 : i; j < n; ++j) {
            const int b = counts[j];
            if (limit(b) < 1 + (a == b ? 1 : 0)) {
                continue;
            }
            for (std::size_t k = distinct ? j + 1 : j; k < n; ++k) {
                const int c = counts[k];
                const int copies = 1 + (b == c ? 1 : 0) + (a == c ? 1 : 0);
                if (limit(c) < copies ||
                    (required && a != *required && b != *required && c != *required) ||
                    !keep(a, b, c)) {
                    continue;
                }
                triples_.push_back(
                    Triple{static_cast<std::uint32_t>(a * b * c), static_cast<std::uint8_t>(a),
                           static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(c)});
            }
        }
    }
    sortByProduct(triples_);
    for (std::size_t at = 0; at < triples_.size(); ++at) {
        if (at == 0 || triples_[at].product != triples_[at - 1].product) {
            values_.push_back(triples_[at].product);
            starts_.push_back(static_cast<std::uint32_t>(at));
        }
    }
    starts_.push_back(static_cast<std::uint32_t>(triples_.size()));
}

} // namespace gearsel
