// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/gear_grid_view.h"

#include "engine/number_text.h"
#include "ui/grid.h"

#include <QString>
#include <string>

namespace gearsel {

void layOutGearGrid(Grid& grid, int count) {
    grid.setRows(count + 1);
    grid.setRow(0);
    grid.setCol(0);
    grid.setColWidth(0, 450);
    grid.setText(QStringLiteral(" №"));
    grid.setCol(1);
    grid.setColWidth(1, 480);
    grid.setText(QStringLiteral("齿数"));
    grid.setCol(0);
    for (int r = 1; r <= count; ++r) {
        grid.setRow(r);
        grid.setText(QString::fromStdString(lastChars("  " + std::to_string(r) + " ", 4)));
    }
}

void fillGearGrid(Grid& grid, const std::vector<std::int16_t>& gears) {
    layOutGearGrid(grid, static_cast<int>(gears.size()));
    grid.setCol(1);
    for (std::size_t i = 0; i < gears.size(); ++i) {
        grid.setRow(static_cast<int>(i) + 1);
        grid.setText(QString::number(gears[i]));
    }
    grid.setTopRow(1);
}

} // namespace gearsel
