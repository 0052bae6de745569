// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/random_source.h"

#include <chrono>

namespace gearsel {

RandomSource::RandomSource()
    : engine_(
          static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count())) {
}

double RandomSource::uniform() {
    // generate_canonical can return 1.0 through rounding; keep the draw below 1.
    const double r = std::generate_canonical<double, 32>(engine_);
    return r < 1.0 ? r : 0.0;
}

int RandomSource::below(int n) {
    const int k = static_cast<int>(uniform() * n);
    return k < n ? k : n - 1;
}

} // namespace gearsel
