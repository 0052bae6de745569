// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/fit_picture.h"

#include "engine/number_text.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace gearsel {
namespace {

PlanePoint plus(PlanePoint a, PlanePoint b) {
    return {a.x + b.x, a.y + b.y};
}
PlanePoint minus(PlanePoint a, PlanePoint b) {
    return {a.x - b.x, a.y - b.y};
}
PlanePoint times(PlanePoint a, double k) {
    return {a.x * k, a.y * k};
}
double lengthOf(PlanePoint a) {
    return std::hypot(a.x, a.y);
}

// `a` scaled to length 1; the x axis for a point at the origin.
PlanePoint unit(PlanePoint a) {
    const double length = lengthOf(a);
    return length > 0.0 ? times(a, 1.0 / length) : PlanePoint{1.0, 0.0};
}

PlanePoint rotated(PlanePoint a, double degrees) {
    const double r = degrees * std::numbers::pi / 180.0;
    return {a.x * std::cos(r) - a.y * std::sin(r), a.x * std::sin(r) + a.y * std::cos(r)};
}

double degreesOf(PlanePoint a) {
    return std::atan2(a.y, a.x) * 180.0 / std::numbers::pi;
}

// Tooth counts sit this far out from the centre, in pitch radii: clear of the shaft, inside
// the teeth.
constexpr double kLabelReach = 0.6;
// Two gears on one shaft keep their tooth counts at least this many degrees apart.
constexpr double kLabelSpread = 70.0;
// The arcs of the slot's ends reach this many degrees either side of the stud.
constexpr double kSlotSweep = 35.0;

// The shafts and what sits on them, before the picture is dressed.
struct Frame {
    double module = 0.0;
    PlanePoint input;
    PlanePoint output;
    std::optional<PlanePoint> stud;
};

// Where the stud goes in the picture: where the fit put it, or, when a1 and a2 cannot meet, on
// the line of the shafts at a2 from the output, on the side that brings it nearest to a1 from
// the input.
std::optional<PlanePoint> drawnStud(const MachineGeometry& geometry, const GearTrain& train,
                                    const TrainFit& fit) {
    if (fit.stud || train.z3 == 0) {
        return fit.stud;
    }
    const double a1 = centreDistance(geometry.module(), train.z1 + train.z2);
    const double a2 = centreDistance(geometry.module(), train.z3 + train.z4);
    const double above = std::fabs(std::fabs(geometry.centre - a2) - a1);
    const double below = std::fabs(geometry.centre + a2 - a1);
    return PlanePoint{0.0, above <= below ? a2 : -a2};
}

PictureGear gearAt(const Frame& frame, GearPlace place, int teeth, PlanePoint centre, int plane,
                   PlanePoint labelDirection, const TrainFit& fit) {
    PictureGear gear;
    gear.place = place;
    gear.teeth = teeth;
    gear.centre = centre;
    gear.pitchRadius = centreDistance(frame.module, teeth);
    gear.outsideRadius = outsideDiameter(frame.module, teeth) / 2.0;
    gear.labelAt = plus(centre, times(unit(labelDirection), kLabelReach * gear.pitchRadius));
    gear.plane = plane;
    gear.red = fit.oversized.has(place);
    return gear;
}

// Two gears on the stud write their tooth counts away from the gear each meshes with; when
// those directions come close, they are turned apart about their mean.
void spreadLabels(PictureGear& first, PictureGear& second) {
    const PlanePoint a = unit(minus(first.labelAt, first.centre));
    const PlanePoint b = unit(minus(second.labelAt, second.centre));
    const double apart = std::remainder(degreesOf(b) - degreesOf(a), 360.0);
    if (std::fabs(apart) >= kLabelSpread) {
        return;
    }
    const PlanePoint mean = unit(plus(a, b));
    const double side = apart >= 0.0 ? 1.0 : -1.0;
    first.labelAt = plus(first.centre, times(rotated(mean, -side * kLabelSpread / 2),
                                             kLabelReach * first.pitchRadius));
    second.labelAt = plus(second.centre, times(rotated(mean, side * kLabelSpread / 2),
                                               kLabelReach * second.pitchRadius));
}

std::vector<PictureGear> layOutGears(const Frame& frame, const GearTrain& train,
                                     const TrainFit& fit) {
    const PlanePoint in = frame.input;
    const PlanePoint out = frame.output;
    std::vector<PictureGear> gears;
    if (train.z3 != 0) {
        const PlanePoint stud = *frame.stud;
        gears.push_back(gearAt(frame, GearPlace::Z1, train.z1, in, 0, minus(in, stud), fit));
        gears.push_back(gearAt(frame, GearPlace::Z2, train.z2, stud, 0, minus(stud, in), fit));
        gears.push_back(gearAt(frame, GearPlace::Z3, train.z3, stud, 1, minus(stud, out), fit));
        gears.push_back(gearAt(frame, GearPlace::Z4, train.z4, out, 1, minus(out, stud), fit));
        spreadLabels(gears[1], gears[2]);
        return gears;
    }
    const PlanePoint partner = frame.stud.value_or(out);
    gears.push_back(gearAt(frame, GearPlace::Z1, train.z1, in, 0, minus(in, partner), fit));
    if (frame.stud) {
        const PlanePoint stud = *frame.stud;
        gears.push_back(gearAt(frame, GearPlace::Idler, *fit.idler, stud, 0,
                               plus(minus(stud, in), minus(stud, out)), fit));
    }
    gears.push_back(
        gearAt(frame, GearPlace::Z2, train.z2, out, 0, minus(out, frame.stud.value_or(in)), fit));
    return gears;
}

// The smallest gear on a shaft decides how thick it is drawn.
double shaftRadius(const Frame& frame, const std::vector<PictureGear>& gears, PlanePoint at) {
    double radius = 3.0 * frame.module;
    for (const PictureGear& gear : gears) {
        if (gear.centre == at) {
            radius = std::min(radius, 0.4 * gear.pitchRadius);
        }
    }
    return radius;
}

std::vector<PictureShaft> layOutShafts(const Frame& frame, const GearTrain& train,
                                       const std::vector<PictureGear>& gears) {
    // Each mesh turns the driven shaft the other way; two pairs or a pair with its idler mesh
    // twice, a pair meshing directly once.
    const int outputTurning = (train.z3 != 0 || frame.stud) ? 1 : -1;
    std::vector<PictureShaft> shafts = {
        {ShaftRole::Input, frame.input, shaftRadius(frame, gears, frame.input), 1, {}},
        {ShaftRole::Output,
         frame.output,
         shaftRadius(frame, gears, frame.output),
         outputTurning,
         {}},
    };
    if (frame.stud) {
        shafts.push_back(
            {ShaftRole::Stud, *frame.stud, shaftRadius(frame, gears, *frame.stud), -1, {}});
    }
    return shafts;
}

// A centre distance between two centres, labelled beside its middle on the side `away` from
// the rest of the train.
PictureDistance meshLine(const char* name, double needed, PlanePoint from, PlanePoint to,
                         PlanePoint away, bool red) {
    PictureDistance line;
    line.from = from;
    line.to = to;
    const double drawn = lengthOf(minus(to, from));
    line.text = std::string(name) + " = " + pictureLength(needed);
    if (pictureLength(drawn) != pictureLength(needed)) {
        line.text += " \u2260 " + pictureLength(drawn);
    }
    line.labelAt = times(plus(from, to), 0.5);
    line.labelSide = rotated(unit(minus(to, from)), 90.0);
    if (line.labelSide.x * away.x + line.labelSide.y * away.y < 0.0) {
        line.labelSide = times(line.labelSide, -1.0);
    }
    line.red = red;
    return line;
}

std::vector<PictureDistance> layOutDistances(const Frame& frame, const MachineGeometry& geometry,
                                             const GearTrain& train, const TrainFit& fit,
                                             const std::vector<PictureGear>& gears) {
    const double m = frame.module;
    const PlanePoint in = frame.input;
    const PlanePoint out = frame.output;
    std::vector<PictureDistance> distances;
    if (frame.stud) {
        const PlanePoint stud = *frame.stud;
        const int sum1 = train.z3 != 0 ? train.z1 + train.z2 : train.z1 + *fit.idler;
        const int sum2 = train.z3 != 0 ? train.z3 + train.z4 : *fit.idler + train.z2;
        // Labels go outside the triangle of the three shafts, or to the right when it is flat.
        const PlanePoint side = stud.x > 0.0 ? PlanePoint{0.0, 0.0} : PlanePoint{1.0, 0.0};
        distances.push_back(meshLine("a1", centreDistance(m, sum1), in, stud,
                                     plus(side, minus(stud, out)),
                                     fit.openLinks.has(Link::InputStud)));
        distances.push_back(meshLine("a2", centreDistance(m, sum2), stud, out,
                                     plus(side, minus(stud, in)),
                                     fit.openLinks.has(Link::StudOutput)));
    } else {
        distances.push_back(meshLine("a", centreDistance(m, train.z1 + train.z2), in, out,
                                     {1.0, 0.0}, fit.openLinks.has(Link::InputOutput)));
    }
    // The machine's own centre distance, as a dimension left of the gears on its shafts.
    double reach = 0.0;
    for (const PictureGear& gear : gears) {
        if (gear.centre == in || gear.centre == out) {
            reach = std::max(reach, gear.outsideRadius);
        }
    }
    const double x = -reach - 0.06 * geometry.centre;
    PictureDistance centre;
    centre.from = {x, out.y};
    centre.to = {x, in.y};
    centre.text = "D = " + pictureLength(geometry.centre);
    centre.labelAt = {x, (in.y + out.y) / 2.0};
    centre.dimension = true;
    distances.push_back(centre);
    return distances;
}

std::optional<PictureSlot> layOutSlot(const MachineGeometry& geometry, const Frame& frame,
                                      const TrainFit& fit, const PictureShaft& stud) {
    if (!geometry.stud) {
        return std::nullopt;
    }
    PictureSlot slot;
    slot.innerRadius = geometry.stud->min;
    slot.outerRadius = geometry.stud->max;
    slot.rayDegrees = degreesOf(*frame.stud);
    slot.halfWidth = 1.4 * stud.radius;
    slot.sweepDegrees = kSlotSweep;
    slot.red = fit.openLinks.has(Link::StudOutput);
    return slot;
}

// The direction, of eight, furthest from every line and text that leaves the shaft; below it
// when several are as far.
PlanePoint freeSide(const FitPicture& picture, const PictureShaft& shaft) {
    std::vector<double> taken;
    const auto take = [&](PlanePoint towards) {
        taken.push_back(degreesOf(minus(towards, shaft.centre)));
    };
    for (const PictureDistance& distance : picture.distances) {
        if (distance.dimension && shaft.role != ShaftRole::Stud) {
            taken.push_back(180.0); // the dimension's line out to the shaft
        } else if (distance.from == shaft.centre) {
            take(distance.to);
        } else if (distance.to == shaft.centre) {
            take(distance.from);
        }
    }
    for (const PictureGear& gear : picture.gears) {
        if (gear.centre == shaft.centre) {
            take(gear.labelAt);
        }
    }
    double best = 270.0;
    double bestClearance = -1.0;
    for (const double candidate : {270.0, 225.0, 315.0, 180.0, 0.0, 135.0, 45.0, 90.0}) {
        double clearance = 180.0;
        for (double angle : taken) {
            clearance = std::min(clearance, std::fabs(std::remainder(candidate - angle, 360.0)));
        }
        if (clearance > bestClearance + 1e-9) {
            best = candidate;
            bestClearance = clearance;
        }
    }
    return rotated({1.0, 0.0}, best);
}

struct BoundsBuilder {
    PictureBounds bounds{INFINITY, INFINITY, -INFINITY, -INFINITY};
    void add(PlanePoint p, double radius = 0.0) {
        bounds.left = std::min(bounds.left, p.x - radius);
        bounds.bottom = std::min(bounds.bottom, p.y - radius);
        bounds.right = std::max(bounds.right, p.x + radius);
        bounds.top = std::max(bounds.top, p.y + radius);
    }
};

PictureBounds boundsOf(const FitPicture& picture) {
    BoundsBuilder builder;
    for (const PictureShaft& shaft : picture.shafts) {
        builder.add(shaft.centre, shaft.radius);
    }
    for (const PictureGear& gear : picture.gears) {
        builder.add(gear.centre, gear.outsideRadius);
    }
    for (const PictureDistance& distance : picture.distances) {
        builder.add(distance.from);
        builder.add(distance.to);
    }
    if (picture.slot) {
        const PictureSlot& slot = *picture.slot;
        for (int step = -6; step <= 6; ++step) {
            const PlanePoint ray =
                rotated({1.0, 0.0}, slot.rayDegrees + slot.sweepDegrees * step / 6.0);
            builder.add(times(ray, slot.innerRadius));
            builder.add(times(ray, slot.outerRadius));
        }
        const PlanePoint ray = rotated({1.0, 0.0}, slot.rayDegrees);
        builder.add(times(ray, slot.innerRadius), slot.halfWidth);
        builder.add(times(ray, slot.outerRadius), slot.halfWidth);
    }
    // A margin for the texts that stand out from their anchor points.
    PictureBounds b = builder.bounds;
    const double margin = 0.06 * std::max(b.right - b.left, b.top - b.bottom);
    return {b.left - margin, b.bottom - margin, b.right + margin, b.top + margin};
}

} // namespace

std::string pictureLength(double millimetres) {
    std::string text = formatFixed(millimetres, 2);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

FitPicture layOutFitPicture(const MachineGeometry& geometry, const GearTrain& train,
                            const TrainFit& fit) {
    const Frame frame{
        geometry.module(), {0.0, geometry.centre}, {0.0, 0.0}, drawnStud(geometry, train, fit)};
    FitPicture picture;
    picture.gears = layOutGears(frame, train, fit);
    picture.shafts = layOutShafts(frame, train, picture.gears);
    if (frame.stud) {
        picture.slot = layOutSlot(geometry, frame, fit, picture.shafts.back());
    }
    picture.distances = layOutDistances(frame, geometry, train, fit, picture.gears);
    for (PictureShaft& shaft : picture.shafts) {
        shaft.nameSide = freeSide(picture, shaft);
    }
    picture.bounds = boundsOf(picture);
    picture.fits = fit.fits;
    return picture;
}

} // namespace gearsel
