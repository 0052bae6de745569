// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The constants of how a machine takes its change gears as people read them: their labels and
// why a text cannot be one of them (see wording.h for the languages).

#include "engine/train_constants.h"
#include "present/wording.h"

#include <string>

namespace gearsel {

// The constant's label: "模数 m", "径节 DP", "中心距 D", "中间轴距离", "罩下最大外径",
// "挂轮对数", "固定首轮", "固定末轮", "每个挂轮只用一次", "进给箱手柄位置"; "Module m", ...
std::string trainConstantLabel(TrainConstantKey key, Language language);

// The problem as one clause without a full stop, naming the constant: "模数必须大于 0 且不超过
// 1000000，这里是 0", "the module must be above 0 and at most 1000000, not 0".
std::string trainConstantProblemText(const ConstantProblem& problem, Language language);

} // namespace gearsel
