// SPDX-License-Identifier: GPL-3.0-or-later
// Files saved from the window, as a user saves them without a printer: each save says where
// the file went, and each kind of file (PDF, CSV) is offered next in the folder where the last
// one of its kind went, also after a restart, until that folder is gone.

#include "window_fixture.h"

#include "ui/constants_box.h"
#include "ui/pdf_offer.h"
#include "ui/ratio_helper.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace gearsel;
using namespace gearsel::testing;

class SavedFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void eachKindStartsWhereItsLastFileWent();

private:
    FaceControls& face() { return fixture_->face(); }
    FakePrompter& prompter() { return fixture_->prompter(); }
    // Prints the result list from the main face into a PDF file saved as `answer` (a null
    // string cancels); says where the save dialog started.
    QString saveResultList(const QString& answer);
    // Opens the ratio helper on its chart page and works out a short hobbing chart.
    RatioHelper* openChart();
    // Clicks a command of the chart page; a save question is answered with `answer`.
    QString saveChart(RatioHelper* helper, const char* command, const QString& answer);
    // What the window told last; empty when it told nothing.
    QString lastWord() const {
        const QStringList& told = fixture_->prompter().informed;
        return told.isEmpty() ? QString() : told.last();
    }
    // The folder of the last path a save dialog started at.
    QString lastStartFolder() const {
        return QFileInfo(fixture_->prompter().suggestedPaths.last()).absolutePath();
    }

    QTemporaryDir settings_;
    std::unique_ptr<WindowFixture> fixture_;
};

void SavedFilesTest::initTestCase() {
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        QSKIP("a printer is installed here: the pages would be printed, not saved");
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
}

QString SavedFilesTest::saveResultList(const QString& answer) {
    prompter().yesNoAnswers = {true, true}; // print, then save as a PDF file
    prompter().savePaths = {answer};
    clickOn(face().LabPrint);
    return lastStartFolder();
}

RatioHelper* SavedFilesTest::openChart() {
    clickOn(face().Label2);
    RatioHelper* helper = fixture_->ratioHelper();
    if (helper == nullptr || !QTest::qWaitForWindowExposed(helper)) {
        return nullptr;
    }
    typeInto(constantField(*helper, ConstantKey::IndexConstant), QStringLiteral("24"));
    workOutHobbingChart(*helper);
    return helper;
}

QString SavedFilesTest::saveChart(RatioHelper* helper, const char* command, const QString& answer) {
    prompter().yesNoAnswers = {true}; // the PDF file offered when printing cannot be done
    prompter().savePaths = {answer};
    clickOn(helper->findChild<QPushButton*>(QString::fromLatin1(command)));
    return lastStartFolder();
}

void SavedFilesTest::eachKindStartsWhereItsLastFileWent() {
    fixture_ =
        std::make_unique<WindowFixture>(std::vector<NewMachine>{{"Y3150E", 20, fourteenGears()}});
    QVERIFY(fixture_->showAndActivate());
    const QString documents = QFileInfo(documentsFilePath(QStringLiteral("x"))).absolutePath();
    QTemporaryDir lists;
    QTemporaryDir charts;
    QTemporaryDir tables;
    const auto saved = [](const char* what, const QString& file) {
        return QStringLiteral("%1已保存为“%2”。").arg(QString::fromUtf8(what), file);
    };

    // The first PDF file is offered in the documents folder; the chart's PDF then where the
    // result list went.
    QCOMPARE(saveResultList(lists.filePath(QStringLiteral("list"))), documents);
    QCOMPARE(lastWord(), saved("选配结果列表", lists.filePath("list.pdf")));
    RatioHelper* helper = openChart();
    QVERIFY(helper != nullptr);
    QCOMPARE(saveChart(helper, "print", charts.filePath(QStringLiteral("chart.pdf"))),
             lists.path());
    QCOMPARE(lastWord(), saved("挂轮表", charts.filePath("chart.pdf")));

    // CSV files have their own folder.
    QCOMPARE(saveChart(helper, "saveCsv", tables.filePath(QStringLiteral("t"))), documents);
    QCOMPARE(lastWord(), saved("挂轮表", tables.filePath("t.csv")));
    QCOMPARE(saveChart(helper, "saveCsv", QString()), tables.path());
    QVERIFY(QFileInfo::exists(tables.filePath("t.csv")));
    clickOn(helper->findChild<QPushButton*>(QStringLiteral("close")));

    // Across a restart; a cancelled save changes nothing.
    fixture_->reopen();
    QVERIFY(fixture_->showAndActivate());
    prompter().informed.clear();
    QCOMPARE(saveResultList(QString()), charts.path());
    QCOMPARE(saveResultList(QString()), charts.path());
    QVERIFY(charts.remove());
    QCOMPARE(saveResultList(QString()), documents);
    QCOMPARE(prompter().informed, QStringList());
}

QTEST_MAIN(SavedFilesTest)
#include "saved_files_test.moc"
