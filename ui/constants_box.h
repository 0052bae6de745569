// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The machine's constants in the ratio helper: leadscrew pitch, gearbox ratio, index constant
// K, differential constant C and dividing-head ratio N, one field each, the machine's geometry
// (GeometryFields), and the command that keeps them for the machine. The formulas read what
// the fields hold, saved or not; the searches read the geometry once it is kept.

#include "engine/machine_constants.h"
#include "present/formula_form.h"
#include "ui/geometry_fields.h"

#include <QGroupBox>
#include <array>
#include <optional>
#include <string>
#include <utility>

class QLineEdit;
class QPushButton;

namespace gearsel {

class ConstantsBox : public QGroupBox {
    Q_OBJECT
public:
    explicit ConstantsBox(QWidget* parent = nullptr);

    // Shows the constants kept for `machineName`; `canKeep` false (no machine) disables the
    // command that keeps them. The fields stay as the user left them when they were last
    // shown for the same machine and the kept constants are still those shown then, or those
    // the fields hold. Says whether the fields were filled anew.
    bool showConstants(const QString& machineName, const MachineConstants& constants, bool canKeep);
    // The formulas' constants as the fields hold them, or why they cannot be used.
    ConstantsReading reading() const;
    // `kept` with the geometry as its fields hold it, or why it cannot be used.
    GeometryReading geometryReading(const MachineConstants& kept) const;

Q_SIGNALS:
    // A field changed: whatever was worked out from the constants is stale.
    void edited();
    // The user asked to keep the constants as the fields hold them.
    void keepRequested();

private:
    // The texts of the formulas' constants, then those of the geometry.
    using ConstantTexts = std::pair<std::array<std::optional<std::string>, kConstantKeys.size()>,
                                    GeometryFields::Texts>;
    static ConstantTexts textsOf(const MachineConstants& constants);

    std::array<QLineEdit*, kConstantKeys.size()> fields_{};
    GeometryFields* geometry_ = nullptr;
    QPushButton* keep_ = nullptr;
    // What the fields were last filled for: the machine and its kept constants.
    std::optional<QString> shownMachine_;
    ConstantTexts shownTexts_;
};

} // namespace gearsel
