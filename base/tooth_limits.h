// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tooth counts a change gear can have in this program: the search refuses others and the
// data file's reader moves stored values outside them to the nearer bound.

namespace gearsel {

inline constexpr int kMinTeeth = 10;
inline constexpr int kMaxTeeth = 255;

} // namespace gearsel
