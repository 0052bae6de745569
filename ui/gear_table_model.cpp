// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/gear_table_model.h"

#include "base/tooth_limits.h"
#include "engine/number_text.h"
#include "present/gear_box_layout.h"

namespace gearsel {

GearTableModel::GearTableModel(QColor cellBack, QColor cellText, QObject* parent)
    : GridModel(cellBack, cellText, parent) {}

void GearTableModel::showGears(const std::vector<std::int16_t>& gears) {
    std::vector<Row> rows;
    rows.reserve(gears.size());
    for (std::size_t i = 0; i < gears.size(); ++i) {
        rows.push_back({QString::fromStdString(lastChars("  " + std::to_string(i + 1) + " ", 4)),
                        QString::number(gears[i])});
    }
    show(std::move(rows));
}

void GearTableModel::showSavedCaptions(const std::vector<std::string>& captions) {
    std::vector<Row> rows;
    rows.reserve(captions.size());
    for (const std::string& caption : captions) {
        // A count beyond the largest gear is stored as the largest, and shown so, as one
        // below the smallest shows the smallest.
        const std::string cell = gearCellText(caption);
        rows.push_back({QString::number(rows.size() + 1) + QLatin1Char(' '),
                        readNumber(cell) > kMaxTeeth ? QString::number(kMaxTeeth)
                                                     : QString::fromStdString(cell)});
    }
    show(std::move(rows));
}

void GearTableModel::show(std::vector<Row> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int GearTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int GearTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

QVariant GearTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    return cellData(rows_[static_cast<std::size_t>(index.row())].teeth, role);
}

QVariant GearTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return tr("齿数");
    }
    return rows_[static_cast<std::size_t>(section)].number;
}

QString GearTableModel::cornerText() const {
    return QStringLiteral(" №");
}

} // namespace gearsel
