// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/suggestion_list.h"

#include "engine/ratio_range.h"
#include "present/suggestion_text.h"
#include "ui/read_only_table.h"
#include "ui/screen_fit.h"
#include "ui/suggestion_table_model.h"
#include "ui/widget_helpers.h"
#include "ui/window_language.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace gearsel {

SuggestionList::SuggestionList(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SuggestionList"));
    setWindowTitle(tr("添置哪个齿轮"));
    auto* layout = new QVBoxLayout(this);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summary_);
    table_ = new ReadOnlyTable(this);
    table_->setObjectName(QStringLiteral("suggestions"));
    table_->setAccessibleName(tr("添置齿轮的建议"));
    rows_ = new SuggestionTableModel(this);
    table_->setModel(rows_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    // Each column as wide as its texts; the short mark 精确 last takes no more.
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(table_, 1);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(sizeWithin(QSize(760, 420), availableArea(this)));
}

void SuggestionList::showReport(const SuggestionReport& report, const SearchRequest& request) {
    showSummary(suggestionSummary(report, reachableRange(request.gears, request.allowRepeats),
                                  windowLanguage()),
                !report.suggestions.empty());
    rows_->showSuggestions(report.suggestions, kShownSuggestions, request.requiredRatio);
}

void SuggestionList::showReport(const ThreePairSuggestionReport& report,
                                const SearchRequest& request) {
    showSummary(suggestionSummary(report, reachableRange(request.gears, request.allowRepeats, 3),
                                  windowLanguage()),
                !report.suggestions.empty());
    rows_->showSuggestions(report.suggestions, kShownSuggestions, request.requiredRatio);
}

void SuggestionList::showSummary(const std::vector<std::string>& summary, bool suggested) {
    QStringList lines = qtTexts(summary);
    if (suggested) {
        lines << tr("下表是添置一个齿轮后最好的挂轮组，精确的在前，其余按绝对精度排列：");
    }
    summary_->setText(lines.join(QLatin1Char('\n')));
}

} // namespace gearsel
