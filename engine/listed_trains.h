// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trains on the result list, found by their tooth counts in constant time, so that the
// ranking can tell at once whether a candidate or one of its rearrangements is listed.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gearsel {

// Four tooth counts of 0..255 packed into one number; a single pair has z3 = z4 = 0. No
// train has z1 = 0, so the code 0 is free to mark an unused cell.
constexpr std::uint32_t trainCode(int z1, int z2, int z3, int z4) {
    return static_cast<std::uint32_t>(z1) << 24 | static_cast<std::uint32_t>(z2) << 16 |
           static_cast<std::uint32_t>(z3) << 8 | static_cast<std::uint32_t>(z4);
}

// A hash map from train codes to where the trains rank, with open addressing and linear
// probing. It grows with the trains it holds, not with the length of the list: a long list
// that few trains can fill costs no more than a short one.
class ListedTrains {
public:
    // Where a listed train ranks: its error, then the order in which it was listed.
    struct Entry {
        double absError = 0.0;
        std::uint32_t order = 0;
        std::uint32_t code = 0;
    };

    ListedTrains();

    // The entry of a listed train, or nullptr.
    const Entry* find(std::uint32_t code) const;
    // The entries of a train and its arrangements (drivers or driven gears exchanged), or
    // nullptr each: one walk over the cells they share.
    void findArrangements(const std::uint32_t (&codes)[4], const Entry* (&found)[4]) const;
    // Adds a train that is not listed yet. Entries found earlier may move.
    void insert(const Entry& entry);
    // Removes a listed train.
    void erase(std::uint32_t code);

private:
    std::size_t home(std::uint32_t code) const;
    // Puts an entry into the first free cell of its probe run.
    void place(const Entry& entry);
    // Twice the cells, every entry placed again.
    void grow();

    std::vector<Entry> cells_;
    std::size_t mask_ = 0;
    std::size_t size_ = 0;
};

} // namespace gearsel
