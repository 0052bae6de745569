// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture of a gear train mounted on its machine, laid out as plain data: where the shafts,
// the quadrant's slot and each gear stand, in millimetres, and what is marked red. A painter
// turns it into lines on any surface; the layout itself is checked without one.
//
// Coordinates are the fit's: the output shaft at (0, 0), the input shaft at (0, D), y upwards,
// the stud on the side x >= 0.

#include "engine/gear_train.h"
#include "engine/machine_geometry.h"
#include "engine/train_fit.h"

#include <optional>
#include <string>
#include <vector>

namespace gearsel {

enum class ShaftRole { Input, Output, Stud };

struct PictureShaft {
    ShaftRole role = ShaftRole::Input;
    PlanePoint centre;
    double radius = 0.0; // drawn radius, mm
    int turning = 1;     // 1 anticlockwise, -1 clockwise, with the input turning anticlockwise
    PlanePoint nameSide; // its name stands off it this way (length 1), clear of the lines
};

struct PictureGear {
    GearPlace place = GearPlace::Z1;
    int teeth = 0;
    PlanePoint centre;
    double pitchRadius = 0.0;   // m * z / 2
    double outsideRadius = 0.0; // m * (z + 2) / 2
    PlanePoint labelAt;         // centre of its tooth count's text, inside the gear
    // The plane the gear turns in: z1 and z2 (and a single pair's idler) in the rear one, z3
    // and z4 in front of them.
    int plane = 0;
    bool red = false; // wider than the cover
};

// A centre distance, drawn as a line between two centres or, for the machine's own D, as a
// dimension beside the shafts.
struct PictureDistance {
    PlanePoint from;
    PlanePoint to;
    std::string text;     // "a1 = 60", with " ≠ 45.25" when the line drawn has another length
    PlanePoint labelAt;   // the middle of the line
    PlanePoint labelSide; // the text stands off the line this way (length 1); {0, 0}: across it
    bool dimension = false;
    bool red = false;
};

// The quadrant's slot: it turns about the output shaft and holds the stud between two
// distances from it. Drawn as the slot at the stud's angle and, thinly, the arcs its ends sweep.
struct PictureSlot {
    double innerRadius = 0.0;  // Rmin
    double outerRadius = 0.0;  // Rmax
    double rayDegrees = 0.0;   // the slot's direction from the output shaft, anticlockwise from x
    double halfWidth = 0.0;    // mm, wide enough for the stud
    double sweepDegrees = 0.0; // the arcs reach this far either side of the slot
    bool red = false;          // the stud lies outside it
};

struct PictureBounds {
    double left = 0.0;
    double bottom = 0.0;
    double right = 0.0;
    double top = 0.0;
};

struct FitPicture {
    std::vector<PictureShaft> shafts; // input, output, then the stud if the train uses one
    std::optional<PictureSlot> slot;  // when the machine's slot is known and the train uses it
    std::vector<PictureGear> gears;   // rear plane first
    std::vector<PictureDistance> distances;
    PictureBounds bounds; // everything above, with a margin
    bool fits = false;
};

// The picture of `train` on the machine as `fit`, the fitter's answer for it, found it. Where the
// train's centre distances cannot meet, the stud is drawn where z3 meets z4 on the line of the
// shafts, on the side that comes nearest to a1, so that the gap or overlap of z1 and z2 shows.
FitPicture layOutFitPicture(const MachineGeometry& geometry, const GearTrain& train,
                            const TrainFit& fit);

// A length in mm as the picture writes it: at most two decimals, no trailing zeros ("62.5").
std::string pictureLength(double millimetres);

} // namespace gearsel
