// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/store_error.h"

#include "base/printable_text.h"

#include <utility>

namespace gearsel {

StoreError::StoreError(StoreProblem problem)
    : std::runtime_error(printableText(problem.file.empty() ? "data store error"
                                                            : "data store error: " + problem.file)),
      problem_(std::move(problem)) {}

} // namespace gearsel
