// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/chart_page_layout.h"

namespace gearsel {

namespace {

// The columns' shares of the table's width: target, required ratio, four tooth counts, the
// repeat mark, ratio, fraction, two errors, the exact mark, the gear to buy and the train it
// gives; the gearbox position takes this share after the target.
constexpr double kPositionShare = 0.6;
constexpr double kThreePairTrainShare = 3.2;
constexpr std::array<double, kChartColumns> kShares = {1.2, 1.4, 0.55, 0.55, 0.55, 0.55, 0.45,
                                                       1.1, 1.3, 1.0,  1.0,  0.6,  0.8,  2.0};

} // namespace

double ChartPageLayout::columnCentre(int column) const {
    const auto c = static_cast<std::size_t>(column);
    return (edges[c] + edges[c + 1]) / 2;
}

ChartPageLayout chartPageLayout(double pageWidth, double pageHeight, bool positions,
                                bool threePairs) {
    ChartPageLayout layout;
    layout.left = 0.05 * pageWidth;
    layout.tableWidth = pageWidth - 2 * layout.left;
    layout.titleTop = 0.05 * pageHeight;
    layout.machineTop = 0.11 * pageHeight;
    layout.constantsTop = 0.15 * pageHeight;
    layout.top = 0.2 * pageHeight;
    // The heading row and the chart's rows fill the next seven tenths of the page.
    layout.rowHeight = 0.7 * pageHeight / (kChartRowsPerPage + 1);
    layout.footerTop = layout.rowTop(kChartRowsPerPage + 1) + 0.4 * layout.rowHeight;
    std::vector<double> shares(kShares.begin(), kShares.end());
    if (threePairs) {
        // Z5 and Z6 as wide as the other tooth counts, after Z4, and room for the third pair
        // in the train that the gear to buy gives.
        shares.insert(shares.begin() + 6, 2, kShares[5]);
        shares.back() = kThreePairTrainShare;
    }
    if (positions) {
        shares.insert(shares.begin() + 1, kPositionShare);
    }
    double total = 0;
    for (const double share : shares) {
        total += share;
    }
    double x = layout.left;
    for (const double share : shares) {
        layout.edges.push_back(x);
        x += share / total * layout.tableWidth;
    }
    layout.edges.push_back(layout.right());
    return layout;
}

int chartPageCount(int rows) {
    return rows <= 0 ? 1 : (rows + kChartRowsPerPage - 1) / kChartRowsPerPage;
}

} // namespace gearsel
