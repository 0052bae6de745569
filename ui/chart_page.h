// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart page: a chart of threads (the metric or inch series, or a typed list of pitches)
// or of hobbing index trains over a range of tooth counts, each row with the best train of
// the current gear set and the gear to buy where it is not exact; shown as a table, printed
// on landscape pages (or saved as a PDF file when there is no printer) and saved as CSV.
// The machine's rules hold in every row: two or three pairs, fixed gears, gears used once,
// and on a lathe with a quick-change gearbox a thread chart searches every position and
// names each row's.

#include "engine/ratio_chart.h"
#include "print/printer_output.h"
#include "ui/chart_setup.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableView;

namespace gearsel {

class ChartTableModel;
class Prompter;
struct ChartPlan;

class ChartPage : public QWidget {
    Q_OBJECT
public:
    // Gathers the gear set, its options and the machine's constants when 生成 is pressed;
    // nothing when they cannot be had, which the source has then told the user.
    using SetupSource = std::function<std::optional<ChartSetup>()>;
    // Sends the chart's pages to a printer.
    using PrinterRoute = std::function<PrinterResult(const ChartPrintoutContent&)>;

    // `prompter` asks the questions and must outlive the page; `printer` is the default
    // printer unless a test replaces it.
    ChartPage(Prompter& prompter, SetupSource setup, QWidget* parent = nullptr,
              PrinterRoute printer = printChartOnDefaultPrinter);

    // Where the PDF save dialog starts for a chart printed at `when`: 挂轮表_<date>.pdf in the
    // folder of the last PDF file saved, or in the user's documents folder.
    static QString defaultPdfPath(const QDateTime& when);

public Q_SLOTS:
    // 生成: works the chart out on the current setup; bad input is told in one message and
    // leaves the table as it was.
    void generate();
    // 打印: the chart on the printer, or offered as a PDF file when it cannot be printed.
    void print();
    // 保存CSV: the chart as a CSV file, UTF-8.
    void saveCsv();
    // Forgets the chart on show, whose constants or machine are no longer in the helper.
    void clear();

private:
    // The plan of the chosen kind of chart on `constants`; throws ChartRefused.
    ChartPlan plan(const MachineConstants& constants) const;
    // Shows the rows of a new chart with the summary under them.
    template <class Row> void showRows(const std::vector<Row>& rows);
    void chooseKind(int kind);
    // False, after telling the user, when there is no chart yet.
    bool haveChart();

    Prompter& prompter_;
    SetupSource setup_;
    PrinterRoute printer_;

    QButtonGroup* kinds_;
    QLineEdit* pitchList_;
    QSpinBox* firstTeeth_;
    QSpinBox* lastTeeth_;
    QSpinBox* starts_;
    QTableView* table_;
    ChartTableModel* model_;
    QLabel* summary_;

    // The chart on show: two-pair rows or three-pair rows, the other empty.
    std::vector<ChartRow> rows_;
    std::vector<ThreePairChartRow> threePairRows_;

    // What the printed pages of the chart on show say above it.
    QString title_;
    QString machineName_;
    QString constants_;
};

} // namespace gearsel
