// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/train_fit.h"

namespace gearsel {

const char* fitProblemName(FitProblem problem) {
    switch (problem) {
    case FitProblem::Reach:
        return "reach";
    case FitProblem::Slot:
        return "slot";
    case FitProblem::Diameter:
        return "diameter";
    case FitProblem::NoIdler:
        return "no-idler";
    }
    return "unknown";
}

} // namespace gearsel
