// SPDX-License-Identifier: GPL-3.0-or-later
// gearsel-cli's side of chart_pdf.h: no PDF writer, so that Qt stays out of its load path.

#include "tools/cli/chart_pdf.h"

namespace gearsel::cli {

ChartPdfWriter chartPdfWriter() {
    return nullptr;
}

} // namespace gearsel::cli
