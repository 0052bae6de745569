// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/grid_view.h"

#include "ui/ui_style.h"

#include <QBrush>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QScrollBar>

namespace gearsel {

namespace {

QString rgb(const QColor& c) {
    return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

} // namespace

Qt::Alignment cellAlignment(const QString& text) {
    bool isNumber = false;
    static_cast<void>(QStringView(text).trimmed().toDouble(&isNumber));
    return Qt::AlignVCenter | (isNumber ? Qt::AlignRight : Qt::AlignLeft);
}

GridModel::GridModel(QColor cellBack, QColor cellText, QObject* parent)
    : QAbstractTableModel(parent), cellBack_(cellBack), cellText_(cellText) {}

QVariant GridModel::cellData(const QString& text, int role) const {
    switch (role) {
    case Qt::DisplayRole:
        return text;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(cellAlignment(text));
    case Qt::BackgroundRole:
        return QBrush(cellBack_);
    case Qt::ForegroundRole:
        return QBrush(cellText_);
    default:
        return {};
    }
}

GridView::GridView(const TwipsScale& scale, const GridColors& colors, int minRowTwips,
                   QWidget* parent)
    : ReadOnlyTable(parent), scale_(scale), corner_(new QLabel(this)) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setCornerButtonEnabled(false);
    setWordWrap(false);

    QPalette palette = this->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, colors.areaBack);
        palette.setColor(group, QPalette::Text, colors.cellText);
        palette.setColor(group, QPalette::Highlight, colors.selectionBack);
        palette.setColor(group, QPalette::HighlightedText, colors.selectionText);
    }
    setPalette(palette);
    const QString section = QStringLiteral("QHeaderView::section { background-color: %1; "
                                           "color: black; border: 0px; "
                                           "border-right: 1px solid %2; "
                                           "border-bottom: 1px solid %2; padding: 0px 2px; }")
                                .arg(rgb(colors.fixedBack), rgb(colors.gridLines));
    // Cells are narrow (a ratio column holds ten characters in 71 pixels): no padding and
    // no ellipsis, so a text that is a little too wide loses its trailing blank first.
    setTextElideMode(Qt::ElideNone);
    // The headers' own background shows where they have no sections (below the last row,
    // beside the last column): the area behind the cells, as in the viewport.
    setStyleSheet(QStringLiteral("QTableView { gridline-color: %1; } "
                                 "QTableView::item { padding: 0px; } "
                                 "QHeaderView { background-color: %2; } ")
                      .arg(rgb(colors.gridLines), rgb(colors.areaBack)) +
                  section);

    const int rowPixels = scale_.y(minRowTwips);
    QHeaderView* top = horizontalHeader();
    QHeaderView* side = verticalHeader();
    top->setFixedHeight(rowPixels);
    top->setSectionResizeMode(QHeaderView::Fixed);
    top->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    top->setHighlightSections(false);
    side->setMinimumSectionSize(rowPixels);
    side->setDefaultSectionSize(rowPixels);
    side->setSectionResizeMode(QHeaderView::Fixed);
    side->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    side->setHighlightSections(false);

    corner_->setObjectName(QStringLiteral("corner"));
    corner_->setAutoFillBackground(true);
    QPalette cornerPalette = corner_->palette();
    cornerPalette.setColor(QPalette::Window, colors.fixedBack);
    corner_->setPalette(cornerPalette);
    corner_->setStyleSheet(QStringLiteral("QLabel { border-right: 1px solid %1; "
                                          "border-bottom: 1px solid %1; padding: 0px 2px; }")
                               .arg(rgb(colors.gridLines)));
}

GridView* GridView::create(const TwipsScale& scale, const GridColors& colors, QWidget* face,
                           const char* name, const QString& accessibleName, QRect place) {
    // Rows at least 300 twips high, as the grids were made.
    auto* view = new GridView(scale, colors, 300, face);
    view->setObjectName(QString::fromLatin1(name));
    view->setAccessibleName(accessibleName);
    view->setGeometry(place);
    view->setFont(style::song(scale.points(9)));
    return view;
}

void GridView::setGridModel(GridModel* model) {
    setModel(model);
    corner_->setText(model->cornerText());
    placeCorner();
}

void GridView::setColumnTwips(std::span<const int> twips) {
    for (std::size_t c = 0; c < twips.size(); ++c) {
        const int pixels = scale_.x(twips[c]);
        if (c == 0) {
            verticalHeader()->setFixedWidth(pixels);
        } else {
            setColumnWidth(static_cast<int>(c) - 1, pixels);
        }
    }
    placeCorner();
}

void GridView::showFromTop() {
    if (QItemSelectionModel* selection = selectionModel()) {
        selection->clear();
    }
    scrollToTop();
}

void GridView::placeCorner() {
    const int frame = frameWidth();
    corner_->setGeometry(frame, frame, verticalHeader()->width(), horizontalHeader()->height());
    corner_->raise();
}

} // namespace gearsel
