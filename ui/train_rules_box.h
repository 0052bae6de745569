// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The machine's rules for its change-gear trains in the ratio helper, beside the formulas'
// constants: how many pairs a train has, a first driver or last driven gear that cannot be
// changed, each gear used at most once, and the quick-change gearbox's positions. The
// helper's 保存为本机常数 keeps them with the formulas' constants.

#include "engine/machine_constants.h"

#include <QGroupBox>
#include <QString>

class QCheckBox;
class QLineEdit;

namespace gearsel {

// The rules as the fields hold them, or the first that cannot be used, in one sentence.
struct TrainRulesReading {
    MachineConstants constants; // `kept` with the rules of the fields in place of its own
    QString problem;            // empty when every rule can be used
};

class TrainRulesBox : public QGroupBox {
    Q_OBJECT
public:
    explicit TrainRulesBox(QWidget* parent = nullptr);

    // Fills the fields with the rules kept in `constants`.
    void showRules(const MachineConstants& constants);
    // `kept` with the rules as the fields hold them: an empty field or a box left clear is
    // an unknown rule (two pairs, no fixed gear, gears used as often as needed, no positions).
    TrainRulesReading reading(const MachineConstants& kept) const;

Q_SIGNALS:
    // The positions changed: a thread's ratio worked out with them is stale.
    void edited();

private:
    QCheckBox* pairs_ = nullptr;
    QLineEdit* first_ = nullptr;
    QLineEdit* last_ = nullptr;
    QCheckBox* useOnce_ = nullptr;
    QLineEdit* positions_ = nullptr;
};

} // namespace gearsel
