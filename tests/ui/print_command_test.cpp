// SPDX-License-Identifier: GPL-3.0-or-later
// The print command's dialogs: the question, printing once on Yes, nothing on No, and the
// offer of a PDF file when there is no printer or the printer fails, up to the file written.

#include "window_fixture.h"

#include "ui/print_command.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace gearsel;
using namespace gearsel::testing;

namespace {

// The command passes the page on as it is; only the name and the date are looked at here.
PrintoutContent sampleContent() {
    PrintoutContent content;
    content.machineName = QStringLiteral("CA6140");
    content.printedAt = QDateTime(QDate(2026, 3, 7), QTime(21, 5, 3));
    return content;
}

bool isPdf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-";
}

} // namespace

class PrintCommandTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void askThenPrintOrOfferPdf();
    void noPrinterInstalledOffersPdf();
};

void PrintCommandTest::askThenPrintOrOfferPdf() {
    const QString failure = QStringLiteral("打印机“Office”无法打印。");
    QStringList printed;
    QList<bool> printerWorks = {true, false, false, false, false};
    FakePrompter prompter;
    PrintCommand print(prompter, sampleContent, [&](const PrintoutContent& content) {
        printed << content.machineName;
        return PrinterResult{printerWorks.value(printed.size() - 1), failure};
    });
    QTemporaryDir dir;
    const QString unwritable = dir.filePath(QStringLiteral("no/such/folder/list.pdf"));
    // No; Yes and printed; then Yes with the printer failing, and the offer declined, taken
    // with the file dialog cancelled, taken with a name without the suffix, and taken with a
    // file that cannot be written.
    prompter.yesNoAnswers = {false, true, true, false, true, true, true, true, true, true};
    prompter.savePaths = {QString(), dir.filePath(QStringLiteral("result")), unwritable};
    for (int i = 0; i < 6; ++i) {
        print.printResultList();
    }
    QCOMPARE(printed, QStringList(5, QStringLiteral("CA6140")));
    const QString question = QStringLiteral("是否打印选配结果列表? \n\n准备好打印机，开始打印? ");
    const QString offer = failure + QStringLiteral("\n\n是否将选配结果列表保存为PDF文件? ");
    const QString save = QStringLiteral("保存选配结果列表");
    QCOMPARE(prompter.asked, QStringList({question, question, question, offer, question, offer,
                                          save, question, offer, save, question, offer, save}));
    // The save dialog starts in an existing folder with a dated name.
    const QFileInfo suggested(prompter.suggestedPaths.value(0));
    QCOMPARE(suggested.fileName(), QStringLiteral("挂轮选配结果_2026-03-07.pdf"));
    QVERIFY(suggested.dir().exists());
    const QString result = dir.filePath(QStringLiteral("result.pdf"));
    QVERIFY(isPdf(result));
    // The file written and the one that cannot be written are told, each by its name.
    QCOMPARE(prompter.informed.size(), 2);
    QCOMPARE(prompter.informed[0], QStringLiteral("选配结果列表已保存为“%1”。").arg(result));
    QVERIFY(prompter.informed[1].contains(QDir::toNativeSeparators(unwritable)));
}

void PrintCommandTest::noPrinterInstalledOffersPdf() {
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        QSKIP("a printer is installed here");
    }
    FakePrompter prompter;
    PrintCommand print(prompter, sampleContent);
    QTemporaryDir dir;
    prompter.yesNoAnswers = {true, true};
    prompter.savePaths = {dir.filePath(QStringLiteral("list.pdf"))};
    print.printResultList();
    QVERIFY2(prompter.asked.value(1).startsWith(QStringLiteral("没有找到已安装的打印机")),
             qPrintable(prompter.asked.value(1)));
    QVERIFY(isPdf(dir.filePath(QStringLiteral("list.pdf"))));
}

QTEST_MAIN(PrintCommandTest)
#include "print_command_test.moc"
