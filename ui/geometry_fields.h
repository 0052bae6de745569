// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The machine's geometry in the constants box: the change gears' module or diametral pitch,
// the centre distance, the stud's distances in the quadrant's slot and the cover's largest
// outside diameter, one field each, in the texts the command line takes. The searches and the
// fit of trains read the geometry the machine keeps; these fields show it and hand it to the
// box's 保存为本机常数.

#include "engine/train_constants.h"

#include <QObject>
#include <QString>
#include <array>
#include <optional>
#include <string>

class QGridLayout;
class QLineEdit;
class QWidget;

namespace gearsel {

// The geometry as the fields hold it, or the first value that cannot be used, in one sentence.
struct GeometryReading {
    MachineConstants constants; // `kept` with the geometry of the fields in place of its own
    QString problem;            // empty when the geometry can be used
};

class GeometryFields : public QObject {
    Q_OBJECT
public:
    static constexpr std::array<TrainConstantKey, 5> kKeys = {
        TrainConstantKey::Module, TrainConstantKey::DiametralPitch, TrainConstantKey::Centre,
        TrainConstantKey::Stud, TrainConstantKey::MaxDiameter};
    using Texts = std::array<std::optional<std::string>, kKeys.size()>;

    // Adds a label and a field for each constant to `grid`, two pairs a line from `firstRow`
    // on, in the order of kKeys, which is also their order for Tab. `box` owns them.
    GeometryFields(QWidget* box, QGridLayout* grid, int firstRow);

    // The kept geometry's texts, in the order of kKeys; nothing for an unknown value.
    static Texts textsOf(const MachineConstants& constants);
    // Fills the fields with these texts.
    void showTexts(const Texts& texts);
    // `kept` with the geometry as the fields hold it: an empty field is an unknown value.
    GeometryReading reading(const MachineConstants& kept) const;

private:
    std::array<QLineEdit*, kKeys.size()> fields_{};
};

} // namespace gearsel
