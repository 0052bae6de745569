// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one error type of the data store. It carries the problem as a typed value
// (store_problem.h) that each surface words in its own language; what() only names the
// exception and the file, for a log.

#include "store/store_problem.h"

#include <stdexcept>
#include <string>

namespace gearsel {

class StoreError : public std::runtime_error {
public:
    explicit StoreError(StoreProblem problem);

    const StoreProblem& problem() const noexcept { return problem_; }
    // The path of the file the error is about, as given; empty when it is about none.
    const std::string& file() const noexcept { return problem_.file; }

private:
    StoreProblem problem_;
};

} // namespace gearsel
