// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small set of the values of an enumeration, kept in the bits of one word: a value type that
// costs nothing to copy, for results that are made once per candidate train.

#include <cstdint>
#include <initializer_list>

namespace gearsel {

// `Enum` must have at most 32 values, numbered from 0.
template <typename Enum> class FlagSet {
public:
    constexpr FlagSet() = default;
    constexpr FlagSet(std::initializer_list<Enum> flags) {
        for (Enum flag : flags) {
            add(flag);
        }
    }

    constexpr void add(Enum flag) { bits_ |= bit(flag); }
    constexpr bool has(Enum flag) const { return (bits_ & bit(flag)) != 0; }
    constexpr bool empty() const { return bits_ == 0; }

    friend constexpr bool operator==(FlagSet, FlagSet) = default;

private:
    static constexpr std::uint32_t bit(Enum flag) {
        return std::uint32_t{1} << static_cast<unsigned>(flag);
    }
    std::uint32_t bits_ = 0;
};

} // namespace gearsel
