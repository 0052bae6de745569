// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/chart_page.h"

#include "engine/gearbox_positions.h"
#include "present/chart_plan.h"
#include "present/chart_problem_text.h"
#include "present/chart_text.h"
#include "present/constant_text.h"
#include "present/search_problem_text.h"
#include "ui/chart_table_model.h"
#include "ui/pdf_offer.h"
#include "ui/prompter.h"
#include "ui/read_only_table.h"
#include "ui/saved_file.h"
#include "ui/widget_helpers.h"
#include "ui/window_language.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDateTime>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace gearsel {

namespace {

// The kinds of chart, in the order of their buttons.
enum Kind { MetricThreads, InchThreads, ListedThreads, HobIndex };

// Shows the wait cursor while a chart is worked out; a long chart takes a moment.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QSpinBox* spinBox(const char* name, int min, int max, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(min, max);
    box->setValue(value);
    return box;
}

QPushButton* button(const QString& caption, const char* name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

// A caption that names `field` for a screen reader.
QLabel* caption(const QString& text, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    return label;
}

QString datedName(const QString& suffix, const QDateTime& when) {
    return ChartPage::tr("挂轮表_%1.%2").arg(when.toString(QStringLiteral("yyyy-MM-dd")), suffix);
}

} // namespace

ChartPage::ChartPage(Prompter& prompter, SetupSource setup, QWidget* parent, PrinterRoute printer)
    : QWidget(parent), prompter_(prompter), setup_(std::move(setup)), printer_(std::move(printer)),
      kinds_(new QButtonGroup(this)), pitchList_(new QLineEdit(this)),
      firstTeeth_(spinBox("firstTeeth", 1, 9999, 17, this)),
      lastTeeth_(spinBox("lastTeeth", 1, 9999, 120, this)),
      starts_(spinBox("starts", 1, 99, 1, this)), table_(new ReadOnlyTable(this)),
      model_(new ChartTableModel(this)), summary_(new QLabel(this)) {
    const std::pair<const char*, QString> kinds[] = {{"metricThreads", tr("公制螺纹")},
                                                     {"inchThreads", tr("英制螺纹")},
                                                     {"listedThreads", tr("螺距列表")},
                                                     {"hobIndex", tr("滚齿分度")}};
    std::vector<QRadioButton*> choices;
    for (const auto& [name, caption] : kinds) {
        auto* choice = new QRadioButton(caption, this);
        choice->setObjectName(QString::fromLatin1(name));
        kinds_->addButton(choice, static_cast<int>(choices.size()));
        choices.push_back(choice);
    }
    choices[MetricThreads]->setChecked(true);
    pitchList_->setObjectName(QStringLiteral("pitchList"));
    pitchList_->setPlaceholderText(QStringLiteral("0.5mm,0.75mm,1mm"));
    // The choice before the field names it.
    pitchList_->setAccessibleName(tr("螺距列表"));

    auto* threadsRow = new QHBoxLayout;
    threadsRow->addWidget(choices[MetricThreads]);
    threadsRow->addWidget(choices[InchThreads]);
    threadsRow->addWidget(choices[ListedThreads]);
    threadsRow->addWidget(pitchList_, 1);
    auto* hobRow = new QHBoxLayout;
    hobRow->addWidget(choices[HobIndex]);
    hobRow->addWidget(caption(tr("齿数"), firstTeeth_, this));
    hobRow->addWidget(firstTeeth_);
    hobRow->addWidget(caption(tr("至"), lastTeeth_, this));
    hobRow->addWidget(lastTeeth_);
    hobRow->addStretch(1);
    // The starts of the thread or of the hob, for either kind of chart.
    auto* startsRow = new QHBoxLayout;
    startsRow->addWidget(caption(tr("头数"), starts_, this));
    startsRow->addWidget(starts_);
    startsRow->addStretch(1);
    auto* generateButton = button(tr("生成"), "generate", this);
    startsRow->addWidget(generateButton);

    table_->setObjectName(QStringLiteral("chartTable"));
    table_->setAccessibleName(tr("挂轮表"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->setVisible(false);
    table_->resizeColumnsToContents();
    summary_->setObjectName(QStringLiteral("chartSummary"));

    auto* buttonsRow = new QHBoxLayout;
    buttonsRow->addWidget(summary_, 1);
    auto* printButton = button(tr("打印"), "print", this);
    auto* csvButton = button(tr("保存CSV"), "saveCsv", this);
    buttonsRow->addWidget(printButton);
    buttonsRow->addWidget(csvButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(threadsRow);
    layout->addLayout(hobRow);
    layout->addLayout(startsRow);
    layout->addWidget(table_, 1);
    layout->addLayout(buttonsRow);

    // Toggled rather than clicked: the arrow keys move between the choices as well.
    connect(kinds_, &QButtonGroup::idToggled, this, [this](int kind, bool chosen) {
        if (chosen) {
            chooseKind(kind);
        }
    });
    connect(generateButton, &QPushButton::clicked, this, &ChartPage::generate);
    connect(printButton, &QPushButton::clicked, this, &ChartPage::print);
    connect(csvButton, &QPushButton::clicked, this, &ChartPage::saveCsv);
    chooseKind(MetricThreads);
}

QString ChartPage::defaultPdfPath(const QDateTime& when) {
    return startingSavePath(SavedFileKind::Pdf, datedName(QStringLiteral("pdf"), when));
}

void ChartPage::chooseKind(int kind) {
    pitchList_->setEnabled(kind == ListedThreads);
    firstTeeth_->setEnabled(kind == HobIndex);
    lastTeeth_->setEnabled(kind == HobIndex);
}

ChartPlan ChartPage::plan(const MachineConstants& constants) const {
    const int starts = starts_->value();
    switch (kinds_->checkedId()) {
    case InchThreads:
        return threadChartPlan(ThreadSeries::Inch, {}, starts, constants, windowLanguage());
    case ListedThreads:
        return threadChartPlan(ThreadSeries::List, utf8(pitchList_->text()), starts, constants,
                               windowLanguage());
    case HobIndex:
        return hobIndexChartPlan(constants, starts, firstTeeth_->value(), lastTeeth_->value(),
                                 windowLanguage());
    default:
        return threadChartPlan(ThreadSeries::Metric, {}, starts, constants, windowLanguage());
    }
}

void ChartPage::generate() {
    const std::optional<ChartSetup> source = setup_();
    if (!source) {
        return;
    }
    const ChartSetup& setup = *source;
    ChartPlan chart;
    std::vector<ChartRow> rows;
    std::vector<ThreePairChartRow> threePairRows;
    try {
        MachineConstants constants = setup.constants;
        // A thread chart on a lathe with a quick-change gearbox searches its positions.
        const std::vector<GearboxPosition> positions =
            kinds_->checkedId() == HobIndex ? std::vector<GearboxPosition>()
                                            : threadChartPositions(constants, setup.gearboxFixed);
        chart = plan(constants);
        const WaitCursor wait;
        if (setup.pairs == 3) {
            threePairRows = buildThreePairChart(setup.search, chart.targets, positions);
        } else {
            rows = buildChart(setup.search, chart.targets, positions);
        }
    } catch (const ChartRefused& e) {
        prompter_.inform(windowSentence(chartProblemText(e.problem(), windowLanguage())));
        return;
    } catch (const SearchRefused& e) {
        prompter_.inform(windowSentence(searchProblemText(e.problem(), windowLanguage())));
        return;
    } catch (const PositionsRefused& e) {
        prompter_.inform(windowSentence(positionProblemText(e.problem(), windowLanguage())));
        return;
    } catch (const std::invalid_argument&) {
        prompter_.inform(tr("当前的挂轮和选项无法生成挂轮表。"));
        return;
    }
    title_ = QString::fromStdString(chart.title);
    machineName_ = setup.machineName;
    constants_ = QString::fromStdString(constantsSummary(chart.used, windowLanguage()));
    rows_ = std::move(rows);
    threePairRows_ = std::move(threePairRows);
    if (setup.pairs == 3) {
        showRows(threePairRows_);
    } else {
        showRows(rows_);
    }
}

template <class Row> void ChartPage::showRows(const std::vector<Row>& rows) {
    model_->setRows(rows);
    table_->resizeColumnsToContents();
    table_->scrollToTop();
    summary_->setText(QString::fromStdString(chartSummary(rows, windowLanguage())));
}

void ChartPage::clear() {
    rows_.clear();
    threePairRows_.clear();
    model_->setRows(rows_);
    summary_->clear();
}

bool ChartPage::haveChart() {
    if (rows_.empty() && threePairRows_.empty()) {
        prompter_.inform(tr("请先生成挂轮表"));
        return false;
    }
    return true;
}

void ChartPage::print() {
    if (!haveChart()) {
        return;
    }
    const ChartPrintoutContent content{title_,          machineName_,
                                       constants_,      rows_,
                                       threePairRows_,  QDateTime::currentDateTime(),
                                       windowLanguage()};
    const PrinterResult result = printer_(content);
    if (!result.printed) {
        offerPdf(prompter_, result.problem,
                 PdfOffer{tr("挂轮表"), defaultPdfPath(content.printedAt)},
                 [&content](const QString& path) { return writeChartPdf(path, content); });
    }
}

void ChartPage::saveCsv() {
    if (!haveChart()) {
        return;
    }
    const std::optional<QString> path = prompter_.askSavePath(
        tr("保存挂轮表为CSV文件"),
        startingSavePath(SavedFileKind::Csv,
                         datedName(QStringLiteral("csv"), QDateTime::currentDateTime())),
        tr("CSV 文件 (*.csv)"));
    if (!path) {
        return;
    }
    const QString file = withSuffix(*path, QStringLiteral("csv"));
    const std::string csv = threePairRows_.empty() ? chartCsv(rows_, windowLanguage())
                                                   : chartCsv(threePairRows_, windowLanguage());
    // Written beside the target and renamed over it, so a failure leaves no half-written file.
    QSaveFile out(file);
    const bool written =
        out.open(QIODevice::WriteOnly) &&
        out.write(csv.data(), static_cast<qint64>(csv.size())) == static_cast<qint64>(csv.size()) &&
        out.commit();
    if (written) {
        fileSaved(prompter_, SavedFileKind::Csv, tr("挂轮表"), file);
    } else {
        prompter_.inform(
            tr("无法写入文件“%1”，挂轮表没有保存。").arg(QDir::toNativeSeparators(file)));
    }
}

} // namespace gearsel
