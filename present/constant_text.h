// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The machine constants as people read them: their labels and a one-line summary (see
// wording.h for the languages).

#include "engine/machine_constants.h"
#include "present/wording.h"

#include <string>

namespace gearsel {

// The constant's label: "丝杠螺距", "进给箱速比", "分度常数 K", "差动常数 C", "分度头定数 N";
// "Leadscrew pitch", ... in English.
std::string constantLabel(ConstantKey key, Language language);

// The known constants in one line for a page heading, after its caption: "丝杠螺距 6mm，分度常数
// K 24", "leadscrew pitch 6mm, index constant K 24"; empty when none is known.
std::string constantsSummary(const MachineConstants& constants, Language language);

} // namespace gearsel
