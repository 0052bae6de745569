// SPDX-License-Identifier: GPL-3.0-or-later
// The window's own time for one search: from the select command to the result grid filled and
// painted, on the offscreen platform, with the window as the program builds it. Each case
// starts from the empty grid that leaving the count field leaves behind, as a user's search
// does, and reports the best and the median of its runs together with the engine's share. The
// machine may be shared: the best runs, of the click and of the search, are the ones other
// programs disturbed least, and their quotient is what the window adds to the search.

#include "engine/selection.h"
#include "store/machine_store.h"
#include "ui/gear_sel.h"
#include "ui/grid_view.h"
#include "ui/lock_wait_watch.h"
#include "ui/prompter.h"
#include "ui/result_table_model.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace gearsel;

// Dialogs are not expected; one that comes anyway is printed instead of blocking the run.
class PrintingPrompter : public Prompter {
public:
    void inform(const QString& text) override { std::printf("%s\n", qPrintable(text)); }
    bool askYesNo(const QString& text, Icon) override {
        inform(text);
        return false;
    }
    std::optional<QString> askText(const QString& prompt, const QString&) override {
        inform(prompt);
        return std::nullopt;
    }
    std::optional<QString> askSavePath(const QString& title, const QString&,
                                       const QString&) override {
        inform(title);
        return std::nullopt;
    }
};

std::vector<std::int16_t> evenlySpread(int count, int low, int high) {
    std::vector<std::int16_t> gears;
    for (int i = 0; i < count; ++i) {
        gears.push_back(static_cast<std::int16_t>(low + i * (high - low + 1) / count));
    }
    return gears;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("system.lib")).toStdString();
    const std::vector<NewMachine> machines = {
        {"412", 15, evenlySpread(412, 10, 255)},
        {"211", 15, evenlySpread(211, 10, 220)},
        {"14", 15, {20, 25, 30, 35, 40, 45, 50, 55, 60, 70, 80, 90, 100, 120}},
    };
    MachineStore::createFile(path, machines);
    PrintingPrompter prompter;
    LockWaitWatch lockWaits(posixFileSystem());
    GearSel window(MachineStore::open(path, lockWaits), lockWaits, prompter, TwipsScale(15, 15),
                   RandomSource(1));
    window.show();
    window.activateWindow();
    QCoreApplication::processEvents();
    // The controls by their names in the window's layout tables.
    auto* machineBox = window.findChild<QComboBox*>(QStringLiteral("Mtype"));
    auto* countField = window.findChild<QLineEdit*>(QStringLiteral("Tns"));
    auto* ratioField = window.findChild<QLineEdit*>(QStringLiteral("TSb"));
    auto* grid = window.findChild<GridView*>(QStringLiteral("GZ"));
    if (machineBox == nullptr || countField == nullptr || ratioField == nullptr ||
        grid == nullptr) {
        std::printf("the window lacks a control the bench works with\n");
        return 1;
    }
    auto* gridRows = static_cast<ResultTableModel*>(grid->model());

    constexpr int kRuns = 9;
    std::printf(
        "| Gears | N | Click to painted grid, best | median | the search, best | median | the "
        "grid fill | best click / best search |\n"
        "|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (int machine = 0; machine < static_cast<int>(machines.size()); ++machine) {
        machineBox->setCurrentIndex(machine);
        for (const int count : {24, 999}) {
            countField->setText(QString::number(count));
            ratioField->setText(QStringLiteral("1.23456"));
            std::vector<double> clicks;
            std::vector<double> searches;
            std::vector<double> fills;
            for (int run = 0; run < kRuns; ++run) {
                window.clearResults();
                QCoreApplication::processEvents();
                QElapsedTimer timer;
                timer.start();
                window.runSelection();
                QCoreApplication::processEvents();
                clicks.push_back(static_cast<double>(timer.nsecsElapsed()) * 1e-6);
                // The engine alone on the same request, for its share.
                SearchRequest request;
                request.gears = machines[static_cast<std::size_t>(machine)].gears;
                request.resultCount = count;
                searches.push_back(runSelection(request).seconds * 1e3);
                // The fill alone, into the empty grid, painted.
                window.clearResults();
                QCoreApplication::processEvents();
                timer.restart();
                gridRows->showResults(window.resultList(), 1.23456, std::nullopt);
                grid->showFromTop();
                QCoreApplication::processEvents();
                fills.push_back(static_cast<double>(timer.nsecsElapsed()) * 1e-6);
                if (const int rows = gridRows->rowCount(); rows != count) {
                    std::printf("the grid holds %d rows, not %d\n", rows, count);
                    return 1;
                }
            }
            const double bestClick = *std::min_element(clicks.begin(), clicks.end());
            const double bestSearch = *std::min_element(searches.begin(), searches.end());
            std::printf("| %s | %d | %.1f ms | %.1f ms | %.1f ms | %.1f ms | %.1f ms | %.1fx |\n",
                        machines[static_cast<std::size_t>(machine)].name.c_str(), count, bestClick,
                        median(clicks), bestSearch, median(searches), median(fills),
                        bestClick / bestSearch);
        }
    }
    return 0;
}
