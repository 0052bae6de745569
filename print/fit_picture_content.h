// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the picture of one listed train shows, gathered from the window when it is opened:
// the machine, the train, and where the machine's geometry is known, how the train fits it.

#include "engine/gear_train.h"
#include "engine/machine_geometry.h"
#include "engine/train_fit.h"
#include "present/wording.h"

#include <QString>
#include <optional>

namespace gearsel {

struct FitPictureContent {
    QString machineName;
    GearTrain train;                         // a single pair has z3 = z4 = 0
    std::optional<MachineGeometry> geometry; // nothing when the machine has none
    std::optional<TrainFit> fit;             // the fitter's answer, with the geometry
    Language language = Language::Chinese;   // of the sentence that says whether it fits
};

} // namespace gearsel
