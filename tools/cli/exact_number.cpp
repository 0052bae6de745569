// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/exact_number.h"

#include "engine/quantity_text.h"
#include "tools/cli/refused_value.h"

namespace gearsel::cli {

Quantity parseExactNumber(std::string_view text, std::string_view what) {
    return readOrRefuse(what, [&] { return readQuantity(text); });
}

} // namespace gearsel::cli
