// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The change-gear ratios that workshop jobs call for: threads on a lathe, the index and the
// differential train of a gear hobbing machine, and differential indexing on a dividing head.
// Each result is exact (a fraction) wherever its inputs are and no π or sine enters; π enters
// as a double, last. Each formula throws ValueRefused, naming the input (ValueInput), for
// inputs that give no usable train.

#include "engine/pitch.h"
#include "engine/quantity.h"

namespace gearsel {

// Thread on a lathe: i = lead / (leadscrew pitch x gearbox ratio), lead = pitch x starts; all
// lengths in mm (25.4 mm to the inch). Refused: a pitch, leadscrew pitch or gearbox ratio not
// above 0, fewer than 1 start, a leadscrew given as a module or diametral pitch.
Quantity threadRatio(const Pitch& pitch, int starts, const Pitch& leadscrew,
                     const Quantity& gearboxRatio);

// Index train of a hobbing machine: i = K x k / z, with K the machine's index constant, k the
// hob's starts and z the workpiece's tooth count. Refused: K not above 0, k or z below 1.
Quantity hobIndexRatio(const Quantity& indexConstant, int hobStarts, int teeth);

// Differential train of a hobbing machine: i = C x sin(beta) / (mn x k), with C the machine's
// differential constant, beta the helix angle in degrees, mn the normal module and k the hob's
// starts. sin 30° is taken as exactly 1/2. Refused: C or mn not above 0, k below 1, beta
// outside 0 to 90 degrees (both excluded: a spur gear needs no differential train).
Quantity hobDifferentialRatio(const Quantity& differentialConstant, const Quantity& helixDegrees,
                              const Quantity& normalModule, int hobStarts);

// Differential indexing on a dividing head: i = N x (z' - z) / z', with N the head's worm
// ratio, z the divisions wanted and z' the count indexed on the plate instead. A negative
// ratio means the plate turns against the crank. Refused: N not above 0, z or z' below 1,
// z' = z (simple indexing needs no train).
Quantity dividingHeadRatio(const Quantity& headRatio, int divisions, int approxDivisions);

} // namespace gearsel
