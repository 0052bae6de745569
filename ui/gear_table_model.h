// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the gear grid shows: the current machine's tooth counts, one per numbered row. A list
// loaded from the file numbers its rows right-aligned in four characters ("  1 "); the rows
// the editor's save writes are numbered "1 " and show each ticked box's caption as the save
// reads it ("20 "), as the grid has always shown them.

#include "ui/grid_view.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gearsel {

class GearTableModel : public GridModel {
    Q_OBJECT
public:
    // Cells in `cellText` on `cellBack`.
    GearTableModel(QColor cellBack, QColor cellText, QObject* parent = nullptr);

    // A gear list as loaded or saved from the grid.
    void showGears(const std::vector<std::int16_t>& gears);
    // The ticked boxes' captions, in box order, as the editor's save writes them.
    void showSavedCaptions(const std::vector<std::string>& captions);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    QString cornerText() const override;

private:
    struct Row {
        QString number;
        QString teeth;
    };
    void show(std::vector<Row> rows);

    std::vector<Row> rows_;
};

} // namespace gearsel
