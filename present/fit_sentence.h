// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a listed train can be mounted, as a sentence for the window's row tooltips and the
// picture of the train, in Chinese or in English.

#include "engine/train_fit.h"
#include "present/wording.h"

#include <string>

namespace gearsel {

// The rule a train breaks as part of a sentence: "中心距够不着" / "the centre distances cannot
// meet".
std::string fitProblemWords(FitProblem problem, Language language);

// "装得上", "装得上：需加惰轮 45，输出反向", or "装不上：" and every rule it breaks (with the
// idler that would have closed the gap, where there is one); the same in English.
std::string fitSentence(const TrainFit& fit, Language language);

} // namespace gearsel
