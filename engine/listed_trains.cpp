// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/listed_trains.h"

#include <algorithm>
#include <iterator>

namespace gearsel {

namespace {

constexpr std::size_t kFirstCells = 16;

} // namespace

ListedTrains::ListedTrains() : cells_(kFirstCells), mask_(kFirstCells - 1) {}

std::size_t ListedTrains::home(std::uint32_t code) const {
    // The arrangements of one train (drivers exchanged, driven gears exchanged) share a home,
    // so the ranking's four lookups for a candidate read the same few cells.
    const std::uint32_t z1 = code >> 24;
    const std::uint32_t z2 = (code >> 16) & 0xFF;
    const std::uint32_t z3 = (code >> 8) & 0xFF;
    const std::uint32_t z4 = code & 0xFF;
    const std::uint64_t shared =
        std::min(z1, z3) << 24 | std::max(z1, z3) << 16 | std::min(z2, z4) << 8 | std::max(z2, z4);
    // Fibonacci hashing: the high bits of the product mix all four tooth counts.
    return static_cast<std::size_t>((shared * 0x9E3779B97F4A7C15ULL) >> 32) & mask_;
}

const ListedTrains::Entry* ListedTrains::find(std::uint32_t code) const {
    for (std::size_t at = home(code);; at = (at + 1) & mask_) {
        if (cells_[at].code == code) {
            return &cells_[at];
        }
        if (cells_[at].code == 0) {
            return nullptr;
        }
    }
}

void ListedTrains::findArrangements(const std::uint32_t (&codes)[4],
                                    const Entry* (&found)[4]) const {
    std::fill(std::begin(found), std::end(found), nullptr);
    for (std::size_t at = home(codes[0]); cells_[at].code != 0; at = (at + 1) & mask_) {
        for (std::size_t i = 0; i < 4; ++i) {
            if (cells_[at].code == codes[i]) {
                found[i] = &cells_[at];
            }
        }
    }
}

void ListedTrains::insert(const Entry& entry) {
    // At most half full, so that a probe ends after a cell or two.
    if (2 * (size_ + 1) > cells_.size()) {
        grow();
    }
    place(entry);
    ++size_;
}

void ListedTrains::place(const Entry& entry) {
    std::size_t at = home(entry.code);
    while (cells_[at].code != 0) {
        at = (at + 1) & mask_;
    }
    cells_[at] = entry;
}

void ListedTrains::grow() {
    std::vector<Entry> old(2 * cells_.size());
    old.swap(cells_);
    mask_ = cells_.size() - 1;
    for (const Entry& entry : old) {
        if (entry.code != 0) {
            place(entry);
        }
    }
}

void ListedTrains::erase(std::uint32_t code) {
    std::size_t hole = home(code);
    while (cells_[hole].code != code) {
        hole = (hole + 1) & mask_;
    }
    // Backward shift: every later cell of the probe run that may move into the hole does, so
    // that no lookup stops early at a free cell.
    for (std::size_t at = (hole + 1) & mask_; cells_[at].code != 0; at = (at + 1) & mask_) {
        const std::size_t want = home(cells_[at].code);
        if (((at - want) & mask_) >= ((at - hole) & mask_)) {
            cells_[hole] = cells_[at];
            hole = at;
        }
    }
    cells_[hole] = Entry{};
    --size_;
}

} // namespace gearsel
