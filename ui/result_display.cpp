// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/result_display.h"

#include "present/result_text.h"
#include "ui/grid_row_menu.h"
#include "ui/grid_view.h"
#include "ui/result_table_model.h"
#include "ui/ui_style.h"
#include "ui/widget_helpers.h"

#include <QAction>
#include <QApplication>
#include <QLabel>

namespace gearsel {

namespace {

GridColors resultGridColors() {
    const QPalette system = QApplication::palette();
    return GridColors{QColor(224, 255, 224),
                      system.color(QPalette::Text),
                      style::kHeadingBack,
                      system.color(QPalette::Highlight),
                      system.color(QPalette::HighlightedText),
                      style::kPanelBack,
                      style::kGridLines};
}

} // namespace

ResultDisplay::ResultDisplay(const TwipsScale& scale, QWidget* face, QObject* parent)
    : QObject(parent) {
    makeCaption(face, "Label8", QPoint(scale.x(2670), scale.y(2265)), tr("--- 选配结果列表 ---"));
    range_ = makeCaption(face, "LabSBFW", QPoint(scale.x(4905), scale.y(2265)),
                         QStringLiteral("0.01234 - 15.67897 "), tr("速比可选择的范围"));
    seconds_ = makeCaption(face, "LabSD", QPoint(scale.x(7275), scale.y(2265)),
                           QStringLiteral("1.66 s"), tr("计算处理所花的时间（秒）"));
    const GridColors colors = resultGridColors();
    grid_ = GridView::create(scale, colors, face, "GZ", tr("选配结果列表"),
                             scale.rect(2055, 2580, 6045, 1785));
    rows_ = new ResultTableModel(colors.cellBack, colors.cellText, grid_);
    grid_->setGridModel(rows_);
    grid_->setColumnTwips(kResultColumnTwips);
}

void ResultDisplay::showEmpty(int rows) {
    rows_->showEmpty(rows);
    grid_->showFromTop();
    seconds_->hide();
}

void ResultDisplay::showResults(const ResultList& results, double requiredRatio,
                                const std::optional<Fraction>& required, double seconds,
                                const std::optional<TrainFitter>& fitter) {
    setCaption(seconds_, QString::fromStdString(secondsText(seconds)));
    rows_->showResults(results, requiredRatio, required, fitter);
    grid_->showFromTop();
    seconds_->show();
}

bool ResultDisplay::showsSearch() const {
    return rows_->showsSearch();
}

void ResultDisplay::showFit(const std::optional<TrainFitter>& fitter) {
    rows_->showFit(fitter);
}

void ResultDisplay::showPositions(std::vector<RowPosition> positions) {
    rows_->showPositions(std::move(positions));
}

void ResultDisplay::showRange(const std::optional<RatioRange>& range) {
    setCaption(range_, range ? QString::fromStdString(rangeCaption(*range)) : QString());
}

void ResultDisplay::focusGrid() {
    grid_->setFocus(Qt::OtherFocusReason);
}

void ResultDisplay::addRowAction(QAction* action) {
    if (grid_->actions().isEmpty()) {
        new GridRowMenu(grid_);
    }
    action->setShortcutContext(Qt::WidgetShortcut);
    grid_->addAction(action);
}

std::optional<int> ResultDisplay::chosenResult() const {
    if (!rows_->listsTrains()) {
        return std::nullopt;
    }
    const QModelIndex current = grid_->currentIndex();
    return current.isValid() ? current.row() : 0;
}

} // namespace gearsel
