// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a listed train can be mounted, as the result tables show it in their 装配 column.

#include "engine/train_fit.h"

#include <optional>
#include <string>

namespace gearsel {

// The rule a train breaks, as a person reads it: "中心距够不着", "超出挂轮架槽", "齿轮超出罩壳",
// "无合适惰轮".
std::string fitProblemLabel(FitProblem problem);

// The cell of a train: blank when whether it fits is unknown (the machine has no geometry, or
// the train has three pairs); "✓" when it fits, "✓ 惰轮 45（反向）" when a single pair needs an
// idler, which turns the output the other way round; "✗ " and every rule it breaks, joined by
// "、", when it does not.
std::string fitCellText(const std::optional<TrainFit>& fit);

} // namespace gearsel
