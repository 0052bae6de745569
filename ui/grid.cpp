// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/grid.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <algorithm>

namespace gearsel {

namespace {

// Texts that read as numbers stand at the right of their cell, all others at the left.
Qt::Alignment alignmentFor(const QString& text) {
    bool isNumber = false;
    static_cast<void>(QStringView(text).trimmed().toDouble(&isNumber));
    return Qt::AlignVCenter | (isNumber ? Qt::AlignRight : Qt::AlignLeft);
}

QString rgb(const QColor& c) {
    return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

} // namespace

Grid::Grid(QWidget* parent, const TwipsScale& scale, const GridColors& colors, int rows, int cols,
           int minRowTwips)
    : scale_(scale), colors_(colors), table_(new QTableWidget(parent)),
      corner_(new QLabel(table_)) {
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setCornerButtonEnabled(false);
    table_->setWordWrap(false);
    table_->setTabKeyNavigation(false);
    table_->setFocusPolicy(Qt::StrongFocus);

    QPalette palette = table_->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, colors.areaBack);
        palette.setColor(group, QPalette::Text, colors.cellText);
        palette.setColor(group, QPalette::Highlight, colors.selectionBack);
        palette.setColor(group, QPalette::HighlightedText, colors.selectionText);
    }
    table_->setPalette(palette);
    const QString section = QStringLiteral("QHeaderView::section { background-color: %1; "
                                           "color: black; border: 0px; "
                                           "border-right: 1px solid %2; "
                                           "border-bottom: 1px solid %2; padding: 0px 2px; }")
                                .arg(rgb(colors.fixedBack), rgb(colors.gridLines));
    // Cells are narrow (a ratio column holds ten characters in 71 pixels): no padding and
    // no ellipsis, so a text that is a little too wide loses its trailing blank first.
    table_->setTextElideMode(Qt::ElideNone);
    // The headers' own background shows where they have no sections (below the last row,
    // beside the last column): the area behind the cells, as in the viewport.
    table_->setStyleSheet(QStringLiteral("QTableWidget { gridline-color: %1; } "
                                         "QTableWidget::item { padding: 0px; } "
                                         "QHeaderView { background-color: %2; } ")
                              .arg(rgb(colors.gridLines), rgb(colors.areaBack)) +
                          section);

    const int rowPixels = scale_.y(minRowTwips);
    QHeaderView* top = table_->horizontalHeader();
    QHeaderView* side = table_->verticalHeader();
    top->setFixedHeight(rowPixels);
    top->setSectionResizeMode(QHeaderView::Fixed);
    top->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    top->setHighlightSections(false);
    side->setMinimumSectionSize(rowPixels);
    side->setDefaultSectionSize(rowPixels);
    side->setSectionResizeMode(QHeaderView::Fixed);
    side->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    side->setHighlightSections(false);

    corner_->setAutoFillBackground(true);
    QPalette cornerPalette = corner_->palette();
    cornerPalette.setColor(QPalette::Window, colors.fixedBack);
    corner_->setPalette(cornerPalette);
    corner_->setStyleSheet(QStringLiteral("QLabel { border-right: 1px solid %1; "
                                          "border-bottom: 1px solid %1; padding: 0px 2px; }")
                               .arg(rgb(colors.gridLines)));

    setCols(cols);
    setRows(rows);
}

int Grid::rows() const {
    return table_->rowCount() + 1;
}

void Grid::setRows(int rows) {
    const int oldRows = table_->rowCount();
    table_->setRowCount(std::max(0, rows - 1));
    quietly([&] {
        for (int r = oldRows; r < table_->rowCount(); ++r) {
            table_->setVerticalHeaderItem(r, new QTableWidgetItem(QString()));
        }
        fillNewCells();
    });
    row_ = std::min(row_, std::max(0, rows - 1));
}

int Grid::cols() const {
    return table_->columnCount() + 1;
}

void Grid::setCols(int cols) {
    const int oldCols = table_->columnCount();
    table_->setColumnCount(std::max(0, cols - 1));
    quietly([&] {
        for (int c = oldCols; c < table_->columnCount(); ++c) {
            table_->setHorizontalHeaderItem(c, new QTableWidgetItem(QString()));
        }
        fillNewCells();
    });
    col_ = std::min(col_, std::max(0, cols - 1));
}

void Grid::fillNewCells() {
    for (int r = 0; r < table_->rowCount(); ++r) {
        for (int c = 0; c < table_->columnCount(); ++c) {
            if (table_->item(r, c) == nullptr) {
                auto* item = new QTableWidgetItem(QString());
                item->setBackground(colors_.cellBack);
                item->setForeground(colors_.cellText);
                table_->setItem(r, c, item);
            }
        }
    }
}

void Grid::setRow(int row) {
    row_ = std::clamp(row, 0, rows() - 1);
}

void Grid::setCol(int col) {
    col_ = std::clamp(col, 0, cols() - 1);
}

QString Grid::text() const {
    return cellText(row_, col_);
}

void Grid::setText(const QString& text) {
    setCell(row_, col_, text);
}

QString Grid::cellText(int row, int col) const {
    if (row == 0 && col == 0) {
        return corner_->text();
    }
    const QTableWidgetItem* item = row == 0   ? table_->horizontalHeaderItem(col - 1)
                                   : col == 0 ? table_->verticalHeaderItem(row - 1)
                                              : table_->item(row - 1, col - 1);
    return item != nullptr ? item->text() : QString();
}

void Grid::setCell(int row, int col, const QString& text) {
    if (row < 0 || col < 0 || row >= rows() || col >= cols()) {
        return;
    }
    if (row == 0 && col == 0) {
        corner_->setText(text);
        placeCorner();
        return;
    }
    QTableWidgetItem* item = row == 0   ? table_->horizontalHeaderItem(col - 1)
                             : col == 0 ? table_->verticalHeaderItem(row - 1)
                                        : table_->item(row - 1, col - 1);
    if (item != nullptr) {
        item->setText(text);
        // The fixed column holds row numbers ("1 ", "2R", "  3 "): one alignment for all of
        // them, so that the numbers line up whatever follows them.
        item->setTextAlignment(col == 0 ? Qt::AlignRight | Qt::AlignVCenter : alignmentFor(text));
    }
}

void Grid::setRowTexts(int firstRow, const std::vector<QStringList>& texts) {
    quietly([&] {
        const int end = std::min(rows(), firstRow + static_cast<int>(texts.size()));
        for (int row = std::max(firstRow, 0); row < end; ++row) {
            const QStringList& line = texts[static_cast<std::size_t>(row - firstRow)];
            for (int col = 0; col < std::min(cols(), static_cast<int>(line.size())); ++col) {
                setCell(row, col, line[col]);
            }
        }
    });
}

void Grid::setRowToolTips(int firstRow, const std::vector<QString>& tips) {
    quietly([&] {
        const int end = std::min(rows(), firstRow + static_cast<int>(tips.size()));
        for (int row = std::max(firstRow, 1); row < end; ++row) {
            for (int col = 1; col < cols(); ++col) {
                QTableWidgetItem* item = table_->item(row - 1, col - 1);
                const QString& tip = tips[static_cast<std::size_t>(row - firstRow)];
                if (item != nullptr && item->toolTip() != tip) {
                    item->setToolTip(tip);
                }
            }
        }
    });
}

QString Grid::cellToolTip(int row, int col) const {
    const QTableWidgetItem* item = row >= 1 && col >= 1 ? table_->item(row - 1, col - 1) : nullptr;
    return item != nullptr ? item->toolTip() : QString();
}

template <class Change> void Grid::quietly(Change change) {
    table_->setUpdatesEnabled(false);
    QAbstractItemModel* model = table_->model();
    const bool wasBlocked = model->blockSignals(true);
    change();
    model->blockSignals(wasBlocked);
    const int rowCount = table_->rowCount();
    const int colCount = table_->columnCount();
    if (rowCount > 0 && colCount > 0) {
        Q_EMIT model->dataChanged(model->index(0, 0), model->index(rowCount - 1, colCount - 1));
    }
    if (rowCount > 0) {
        Q_EMIT model->headerDataChanged(Qt::Vertical, 0, rowCount - 1);
    }
    if (colCount > 0) {
        Q_EMIT model->headerDataChanged(Qt::Horizontal, 0, colCount - 1);
    }
    table_->setUpdatesEnabled(true);
}

void Grid::setColWidth(int col, int twips) {
    const int pixels = scale_.x(twips);
    if (col == 0) {
        table_->verticalHeader()->setFixedWidth(pixels);
        placeCorner();
    } else if (col < cols()) {
        table_->setColumnWidth(col - 1, pixels);
    }
}

void Grid::setTopRow(int row) {
    if (row >= 1 && row < rows() && table_->columnCount() > 0) {
        table_->scrollToItem(table_->item(row - 1, 0), QAbstractItemView::PositionAtTop);
    }
}

void Grid::showFromTop() {
    table_->clearSelection();
    table_->setCurrentItem(nullptr);
    table_->scrollToTop();
}

void Grid::placeCorner() {
    const int frame = table_->frameWidth();
    corner_->setGeometry(frame, frame, table_->verticalHeader()->width(),
                         table_->horizontalHeader()->height());
    corner_->raise();
}

} // namespace gearsel
