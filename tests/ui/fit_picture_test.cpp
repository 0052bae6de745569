// SPDX-License-Identifier: GPL-3.0-or-later
// Whether listed trains fit their machine, in the window: the rows' tooltips, the picture of
// the chosen train opened by key and by the rows' menu, printed and saved as PDF, PNG and SVG
// files (whole or not at all), read back where the stud stands, and the choice to list only
// trains that fit.
//
// The machines, worked by hand (lengths in mm, output shaft O at (0, 0), input shaft I at
// (0, D)):
// - "Fit", gears 20 25 30 40 50, Zn 15, module 2, D = 90, the stud 40 to 45 mm from O. A
//   centre distance is m(za + zb)/2 = za + zb. A two-pair train fits only with z3 + z4 in
//   40..45, so {z3, z4} = {20, 25}; the assembly condition z3 + z4 > z2 + Zn then wants
//   z2 < 30, which leaves only 20 or 25, both taken: no two-pair train without repeats fits,
//   and each breaks the slot alone (its z3 + z4 >= 50; the four sums reach 90 and differ by
//   less). A single pair meshes directly at z1 + z2 = 90 (40/50, 50/40), or through an idler
//   zi with zi + z2 in 40..45: z2 = 25 with idler 20 (30/25, 40/25, 50/25), z2 = 20 with
//   idler 25 (30/20, 40/20, 50/20); z1 + z2 + 2 zi >= 90 holds for all six.
// - "Triangle", gears 20 30 40 50, Zn 15, module 1, D = 50, no slot and no cover.
// - "Plain", the gears of "Fit" and no geometry.
// - "Tight", the gears of "Fit", module 2, D = 91, the stud at most 5 mm from O: no sum of two
//   gears is 91, and every stud would stand at least 20 + 20 = 40 mm from O, so nothing fits.

#include "window_fixture.h"

#include "ui/fit_picture_dialog.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>

using namespace gearsel;
using namespace gearsel::testing;

namespace {

MachineConstants geometry(double module, double centre, std::optional<StudRange> stud) {
    MachineConstants constants;
    constants.toothSize = ToothSize{ToothSize::Unit::Module, module};
    constants.centre = centre;
    constants.stud = stud;
    return constants;
}

std::vector<NewMachine> machines() {
    return {{"Fit", 15, {20, 25, 30, 40, 50}, geometry(2.0, 90.0, StudRange{40.0, 45.0})},
            {"Triangle", 15, {20, 30, 40, 50}, geometry(1.0, 50.0, std::nullopt)},
            {"Plain", 15, {20, 25, 30, 40, 50}},
            {"Tight", 15, {20, 25, 30, 40, 50}, geometry(2.0, 91.0, StudRange{0.0, 5.0})}};
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Clicks the entry `actionName` of the next popup menu, once it is open.
void clickInNextMenu(const QString& actionName) {
    QTimer::singleShot(10, [actionName] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr || !menu->isVisible()) {
            clickInNextMenu(actionName);
            return;
        }
        for (QAction* action : menu->actions()) {
            if (action->objectName() == actionName) {
                QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, {},
                                  menu->actionGeometry(action).center());
                return;
            }
        }
        menu->close();
        QFAIL("the menu lacks the entry");
    });
}

} // namespace

class FitPictureTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void rowToolTipsSayWhetherTrainsFit();
    void pictureOpensByKeyAndByMenuAndClosesByEsc();
    void savesEachFormatWholeOrNotAtAll();
    void printingWithoutAPrinterOffersAPdfFile();
    void studStandsWhereTheTriangleSays();
    void fitOnlyListsTheTrainsThatFit();
    void fitOnlyWithNothingThatFitsCanBeTakenBack();
    void machineWithoutGeometrySaysSo();

private:
    std::unique_ptr<WindowFixture> fixture_;
    FaceControls& face() { return fixture_->face(); }
    // Searches machine `machine` (by its place) for `ratio`, `rows` trains, without repeats.
    void search(int machine, const QString& ratio, int rows);
    // The train of grid row `row` (from 1) as its cells read: "30/25" or "50/30 × 20/40".
    QString rowTrain(int row);
    // The picture's dialog once it has been opened; null before.
    FitPictureDialog* dialog() { return fixture_->window().findChild<FitPictureDialog*>(); }
    QString pictureDescription() {
        return controlNamed(*dialog(), QStringLiteral("fitPicture"))->accessibleDescription();
    }
    // Opens the picture of grid row `row` by a right click on it and the menu's entry.
    void openByMenu(int row);
};

void FitPictureTest::init() {
    fixture_ = std::make_unique<WindowFixture>(machines());
    QVERIFY(fixture_->showAndActivate());
}

void FitPictureTest::cleanup() {
    if (dialog() != nullptr) {
        dialog()->reject();
    }
    fixture_.reset();
}

void FitPictureTest::search(int machine, const QString& ratio, int rows) {
    chooseEntry(face().Mtype, machine);
    setOption(face().Chk, false);
    face().Tns->setText(QString::number(rows));
    face().TSb->setText(ratio);
    clickOn(face().ComCHOSE);
}

QString FitPictureTest::rowTrain(int row) {
    QString train = cellText(face().GZ, row, 1).trimmed() + QLatin1Char('/') +
                    cellText(face().GZ, row, 2).trimmed();
    if (!cellText(face().GZ, row, 3).trimmed().isEmpty()) {
        train += QStringLiteral(" × ") + cellText(face().GZ, row, 3).trimmed() + QLatin1Char('/') +
                 cellText(face().GZ, row, 4).trimmed();
    }
    return train;
}

void FitPictureTest::openByMenu(int row) {
    QTableView* grid = face().GZ;
    const QPoint cell = grid->visualRect(grid->model()->index(row - 1, 1)).center();
    QWidget* window = grid->window();
    clickInNextMenu(QStringLiteral("showFitPicture"));
    QTest::mouseClick(window->windowHandle(), Qt::RightButton, {},
                      grid->viewport()->mapTo(window, cell));
    QTRY_VERIFY(dialog() != nullptr && dialog()->isVisible());
}

void FitPictureTest::rowToolTipsSayWhetherTrainsFit() {
    // 40/50 is exactly 0.8 and meshes directly; no two distinct pairs of the set make 4/5.
    // 20/25 and 40/50 are exactly 0.8; no two distinct pairs of the set make 4/5.
    search(0, QStringLiteral("0.8"), 12);
    QCOMPARE(rowTrain(1), QStringLiteral("20/25"));
    QCOMPARE(cellToolTip(face().GZ, 1, 1),
             QStringLiteral("速比分数 4/5，与要求速比完全相同（精确）\n装不上：无合适惰轮"));
    QCOMPARE(rowTrain(2), QStringLiteral("40/50"));
    QCOMPARE(cellToolTip(face().GZ, 2, 4),
             QStringLiteral("速比分数 4/5，与要求速比完全相同（精确）\n装得上"));
    int twoPairRows = 0;
    for (int row = 3; row < gridRows(face().GZ); ++row) {
        const QString train = rowTrain(row);
        const QString fit = cellToolTip(face().GZ, row, 3).section(QLatin1Char('\n'), 1);
        if (train.contains(QStringLiteral("×"))) {
            ++twoPairRows;
            QCOMPARE(fit, QStringLiteral("装不上：超出挂轮架槽"));
        } else if (train == QStringLiteral("30/25") || train == QStringLiteral("50/25")) {
            QCOMPARE(fit, QStringLiteral("装得上：需加惰轮 20，输出反向"));
        } else if (train == QStringLiteral("30/20") || train == QStringLiteral("40/20") ||
                   train == QStringLiteral("50/20")) {
            QCOMPARE(fit, QStringLiteral("装得上：需加惰轮 25，输出反向"));
        } else {
            // 25/20 would need idler 25, taken; a z2 of 30 or more leaves no idler of 20 or
            // more within the slot.
            QCOMPARE(fit, QStringLiteral("装不上：无合适惰轮"));
        }
    }
    QVERIFY(twoPairRows > 0);
    // The grid's cells are as they were: no column of its own for the fit.
    QCOMPARE(face().GZ->model()->columnCount(), 7);
}

void FitPictureTest::pictureOpensByKeyAndByMenuAndClosesByEsc() {
    search(0, QStringLiteral("0.8"), 4);
    // By the keyboard: into the grid, down to row 2, Ctrl+G.
    focusOn(face().GZ);
    pressKey(face().GZ, Qt::Key_Down);
    const int row = face().GZ->currentIndex().row() + 1;
    const QString chosen = rowTrain(row);
    pressKey(face().GZ, Qt::Key_G, Qt::ControlModifier);
    QTRY_VERIFY(dialog() != nullptr && dialog()->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(dialog()));
    QVERIFY(pictureDescription().contains(QStringLiteral("机床 Fit　挂轮 ") + chosen));
    QVERIFY(pictureDescription().contains(QStringLiteral("模数 2 mm，中心距 D = 90 mm，挂轮架槽 "
                                                         "40–45 mm")));
    // Tab goes round the choice and the commands; the picture takes no focus.
    QStringList focused;
    for (int i = 0; i < 4; ++i) {
        pressKey(dialog(), Qt::Key_Tab);
        focused << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(focused.size(), 4);
    QVERIFY(!focused.contains(QStringLiteral("fitPicture")));
    QVERIFY(focused.contains(QStringLiteral("fitOnly")));
    QVERIFY(focused.contains(QStringLiteral("save")));
    pressKey(dialog(), Qt::Key_Escape);
    QTRY_VERIFY(!dialog()->isVisible());
    // The grid kept its row; the grid's own keys still move in it.
    QCOMPARE(face().GZ->currentIndex().row() + 1, row);

    // By the mouse: a right click on row 2 makes it current and its menu opens the picture.
    openByMenu(2);
    QCOMPARE(face().GZ->currentIndex().row(), 1);
    QVERIFY(pictureDescription().contains(QStringLiteral("挂轮 40/50\n")));
    QVERIFY(pictureDescription().endsWith(QStringLiteral("装得上")));
    QVERIFY(fixture_->prompter().informed.isEmpty());
}

void FitPictureTest::savesEachFormatWholeOrNotAtAll() {
    search(0, QStringLiteral("0.8"), 4);
    openByMenu(2);
    QTemporaryDir dir;
    FakePrompter& prompter = fixture_->prompter();
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/picture.png"));
    prompter.savePaths = {dir.filePath(QStringLiteral("picture.pdf")),
                          dir.filePath(QStringLiteral("picture.png")),
                          dir.filePath(QStringLiteral("picture.svg")),
                          dir.filePath(QStringLiteral("plain")),
                          missing,
                          QString()};
    // The key clicks the button as a click is shown: a moment later.
    for (int i = 0; i < 6; ++i) {
        pressKey(dialog(), Qt::Key_S, Qt::ControlModifier);
        QTRY_COMPARE(prompter.savePaths.size(), std::size_t(5 - i));
    }
    QVERIFY(prompter.suggestedPaths.value(0).endsWith(QStringLiteral("/挂轮装配图_40-50.pdf")));

    const QByteArray pdf = fileBytes(dir.filePath(QStringLiteral("picture.pdf")));
    QVERIFY(pdf.startsWith("%PDF"));
    QVERIFY(pdf.trimmed().endsWith("%%EOF"));
    const QImage png(dir.filePath(QStringLiteral("picture.png")));
    QCOMPARE(png.size(), QSize(1600, 1200));
    const QByteArray svg = fileBytes(dir.filePath(QStringLiteral("picture.svg")));
    QVERIFY(svg.contains(">40<"));
    QVERIFY(svg.contains(">50<"));
    // A name without a known ending becomes a PDF file.
    QVERIFY(fileBytes(dir.filePath(QStringLiteral("plain.pdf"))).startsWith("%PDF"));

    // Four files told saved, the one that cannot be written told once, nothing for Cancel;
    // nothing is left beside the files.
    QCOMPARE(prompter.informed.size(), 5);
    QCOMPARE(prompter.informed[4],
             QStringLiteral("无法写入文件“%1”，挂轮装配图没有保存。").arg(missing));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);
    QVERIFY(!QFile::exists(missing));
}

void FitPictureTest::printingWithoutAPrinterOffersAPdfFile() {
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        QSKIP("a printer is installed here; the offer of a PDF file is for machines without");
    }
    search(0, QStringLiteral("0.8"), 4);
    openByMenu(2);
    QTemporaryDir dir;
    FakePrompter& prompter = fixture_->prompter();
    prompter.yesNoAnswers = {true};
    prompter.savePaths = {dir.filePath(QStringLiteral("printed"))};
    clickOn(controlNamed(*dialog(), QStringLiteral("print")));
    QCOMPARE(prompter.asked, QStringList({QStringLiteral("没有找到已安装的打印机，无法打印。\n\n"
                                                         "是否将挂轮装配图保存为PDF文件? "),
                                          QStringLiteral("保存挂轮装配图")}));
    const QByteArray pdf = fileBytes(dir.filePath(QStringLiteral("printed.pdf")));
    QVERIFY(pdf.startsWith("%PDF"));
    QVERIFY(pdf.trimmed().endsWith("%%EOF"));
}

void FitPictureTest::studStandsWhereTheTriangleSays() {
    // 50/30 x 20/40 = 5/6: a1 = (50 + 30)/2 = 40, a2 = (20 + 40)/2 = 30 on D = 50, a right
    // triangle: x^2 + y^2 = 30^2 and x^2 + (y - 50)^2 = 40^2 give y = 18, x = 24. Its
    // rearrangement 20/40 x 50/30 has a1 = 30, a2 = 40: y = 32, x = 24.
    search(1, QStringLiteral("0.8333333"), 1);
    const QString train = rowTrain(1);
    QPointF stud;
    if (train == QStringLiteral("50/30 × 20/40")) {
        stud = {24.0, 18.0};
    } else {
        QCOMPARE(train, QStringLiteral("20/40 × 50/30"));
        stud = {24.0, 32.0};
    }
    openByMenu(1);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("triangle.svg"));
    fixture_->prompter().savePaths = {path};
    clickOn(controlNamed(*dialog(), QStringLiteral("save")));
    const QString svg = QString::fromUtf8(fileBytes(path));
    // Every circle drawn, by its centre: the shafts' and the gears' circles share three.
    QList<QPointF> centres;
    static const QRegularExpression ellipse(
        QStringLiteral("<circle[^>]*cx=\"([-0-9.]+)\"[^>]*cy=\"([-0-9.]+)\""));
    for (auto match = ellipse.globalMatch(svg); match.hasNext();) {
        const auto found = match.next();
        const QPointF centre(found.captured(1).toDouble(), found.captured(2).toDouble());
        const bool known = std::any_of(centres.begin(), centres.end(),
                                       [&](QPointF c) { return QLineF(c, centre).length() < 0.5; });
        if (!known) {
            centres << centre;
        }
    }
    QCOMPARE(centres.size(), 3);
    // The input shaft stands above the output shaft (y grows downwards), the stud to the right.
    std::sort(centres.begin(), centres.end(), [](QPointF a, QPointF b) {
        return a.x() < b.x() - 0.5 || (std::abs(a.x() - b.x()) <= 0.5 && a.y() < b.y());
    });
    const QPointF input = centres[0];
    const QPointF output = centres[1];
    const QPointF found = centres[2];
    QVERIFY(std::abs(input.x() - output.x()) < 0.5);
    const double perMillimetre = (output.y() - input.y()) / 50.0;
    QVERIFY(perMillimetre > 1.0);
    QVERIFY(std::abs((found.x() - output.x()) / perMillimetre - stud.x()) < 0.05);
    QVERIFY(std::abs((output.y() - found.y()) / perMillimetre - stud.y()) < 0.05);
}

void FitPictureTest::fitOnlyListsTheTrainsThatFit() {
    search(0, QStringLiteral("1.3"), 4);
    QStringList before;
    for (int row = 1; row < gridRows(face().GZ); ++row) {
        before << rowTrain(row);
    }
    openByMenu(1);
    auto* fitOnly = qobject_cast<QCheckBox*>(controlNamed(*dialog(), QStringLiteral("fitOnly")));
    QVERIFY(fitOnly->isEnabled());
    QVERIFY(!fitOnly->isChecked());
    clickOn(fitOnly);
    // Of the eight single pairs that fit, nearest 1.3: 50/40 = 1.25 (off by 0.05), 30/25 = 1.2
    // (0.1), 30/20 = 1.5 (0.2), 40/25 = 1.6 (0.3).
    QStringList fitting;
    for (int row = 1; row < gridRows(face().GZ); ++row) {
        fitting << rowTrain(row);
    }
    QCOMPARE(fitting, QStringList({"50/40", "30/25", "30/20", "40/25"}));
    QVERIFY(fitting != before);
    // The picture follows the list's first train.
    QVERIFY(pictureDescription().contains(QStringLiteral("挂轮 50/40\n")));
    // The choice holds for the next search, and clearing it lists every train again.
    clickOn(face().ComCHOSE);
    QCOMPARE(rowTrain(1), QStringLiteral("50/40"));
    clickOn(fitOnly);
    QStringList after;
    for (int row = 1; row < gridRows(face().GZ); ++row) {
        after << rowTrain(row);
    }
    QCOMPARE(after, before);
}

void FitPictureTest::fitOnlyWithNothingThatFitsCanBeTakenBack() {
    search(3, QStringLiteral("1.3"), 4);
    QCOMPARE(gridRows(face().GZ), 5);
    openByMenu(1);
    QWidget* fitOnly = controlNamed(*dialog(), QStringLiteral("fitOnly"));
    clickOn(fitOnly);
    QCOMPARE(gridRows(face().GZ), 1);
    QCOMPARE(pictureDescription(), QStringLiteral("选配结果列表中没有挂轮。"));
    QVERIFY(!controlNamed(*dialog(), QStringLiteral("save"))->isEnabled());
    QVERIFY(fitOnly->isEnabled());
    clickOn(fitOnly);
    QCOMPARE(gridRows(face().GZ), 5);
    QVERIFY(controlNamed(*dialog(), QStringLiteral("save"))->isEnabled());
    QVERIFY(fixture_->prompter().informed.isEmpty());
}

void FitPictureTest::machineWithoutGeometrySaysSo() {
    search(2, QStringLiteral("0.8"), 4);
    QCOMPARE(cellToolTip(face().GZ, 1, 1),
             QStringLiteral("速比分数 4/5，与要求速比完全相同（精确）"));
    focusOn(face().GZ);
    pressKey(face().GZ, Qt::Key_G, Qt::ControlModifier);
    QTRY_VERIFY(dialog() != nullptr && dialog()->isVisible());
    QVERIFY(pictureDescription().contains(QStringLiteral("没有给出模数和中心距")));
    QVERIFY(!controlNamed(*dialog(), QStringLiteral("fitOnly"))->isEnabled());
    // A cleared grid has no train to draw: the key says so and opens nothing.
    pressKey(dialog(), Qt::Key_Escape);
    QTRY_VERIFY(!dialog()->isVisible());
    fixture_->window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fixture_->window()));
    fixture_->window().clearResults();
    focusOn(face().GZ);
    pressKey(face().GZ, Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(fixture_->prompter().informed,
             QStringList({QStringLiteral("选配结果列表中还没有挂轮：请先选配。")}));
    QVERIFY(!dialog()->isVisible());
}

QTEST_MAIN(FitPictureTest)
#include "fit_picture_test.moc"
