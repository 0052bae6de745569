// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/suggestion_list.h"

#include "engine/ratio_range.h"
#include "present/suggestion_text.h"
#include "ui/screen_fit.h"
#include "ui/widget_helpers.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace gearsel {

SuggestionList::SuggestionList(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SuggestionList"));
    setWindowTitle(QStringLiteral("添置哪个齿轮"));
    auto* layout = new QVBoxLayout(this);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summary_);
    table_ = new QTableWidget(0, kSuggestionColumns, this);
    table_->setObjectName(QStringLiteral("suggestions"));
    table_->setHorizontalHeaderLabels(qtTexts(suggestionHeadings()));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    // Each column as wide as its texts; the short mark 精确 last takes no more.
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(table_, 1);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(sizeWithin(QSize(760, 420), availableArea(this)));
}

void SuggestionList::showReport(const SuggestionReport& report, const SearchRequest& request) {
    QStringList lines =
        qtTexts(suggestionSummary(report, reachableRange(request.gears, request.allowRepeats)));
    if (!report.suggestions.empty()) {
        lines << QStringLiteral(
            "下表是添置一个齿轮后最好的挂轮组，精确的在前，其余按绝对精度排列：");
    }
    summary_->setText(lines.join(QLatin1Char('\n')));

    const int shown = std::min(static_cast<int>(report.suggestions.size()), kShownSuggestions);
    table_->setRowCount(shown);
    for (int r = 0; r < shown; ++r) {
        const GearSuggestion& suggestion = report.suggestions[static_cast<std::size_t>(r)];
        const QStringList cells = qtTexts(suggestionRowTexts(suggestion, request.requiredRatio));
        for (int c = 0; c < kSuggestionColumns; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (suggestion.best.exact) {
                item->setBackground(QColor(208, 255, 208));
            }
            table_->setItem(r, c, item);
        }
    }
}

} // namespace gearsel
