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

// The flow passes the page on as it is; only the name and the date are looked at here.
PrintoutContent sampleContent() {
    PrintoutContent content;
    content.rowsText = QStringLiteral("5");
    content.machineName = QStringLiteral("CA6140");
    content.printedAt = QDateTime(QDate(2026, 3, 7), QTime(21, 5, 3));
    return content;
}

bool isPdf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-";
}

const QString kFailure = QStringLiteral("打印机“Office”无法打印。");

} // namespace

class PrintCommandTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void yesPrintsOnceNoPrintsNothing();
    void failedPrinterOffersPdf();
    void declinedOfferCancelledDialogOrUnwritableFile();
    void noPrinterInstalledOffersPdf();

private:
    // A command over the fake dialogs whose printer answers `result`.
    std::unique_ptr<PrintCommand> command(PrinterResult result) {
        return std::make_unique<PrintCommand>(prompter_, sampleContent,
                                              [this, result](const PrintoutContent& content) {
                                                  printed_ << content.machineName;
                                                  return result;
                                              });
    }

    FakePrompter prompter_;
    QStringList printed_;
    QTemporaryDir dir_;
};

void PrintCommandTest::init() {
    prompter_ = FakePrompter();
    printed_.clear();
}

void PrintCommandTest::yesPrintsOnceNoPrintsNothing() {
    auto print = command({true, QString()});
    prompter_.yesNoAnswers = {false, true};
    print->PrintSbTab();
    QVERIFY(printed_.isEmpty());
    print->PrintSbTab();
    QCOMPARE(printed_, QStringList{QStringLiteral("CA6140")});
    const QString question = QStringLiteral("是否打印选配结果列表? \n\n准备好打印机，开始打印? ");
    QCOMPARE(prompter_.asked, QStringList({question, question}));
    QVERIFY(prompter_.informed.isEmpty());
}

void PrintCommandTest::failedPrinterOffersPdf() {
    auto print = command({false, kFailure});
    prompter_.yesNoAnswers = {true, true};
    prompter_.savePaths = {dir_.filePath(QStringLiteral("result"))};
    print->PrintSbTab();
    QCOMPARE(printed_.size(), 1);
    QCOMPARE(prompter_.asked.value(1), kFailure + "\n\n是否将选配结果列表保存为PDF文件? ");
    // The dialog starts in an existing folder with a dated name; a name without the suffix
    // gets it.
    const QFileInfo suggested(prompter_.suggestedPaths.value(0));
    QCOMPARE(suggested.fileName(), QStringLiteral("挂轮选配结果_2026-03-07.pdf"));
    QVERIFY(suggested.dir().exists());
    QVERIFY(isPdf(dir_.filePath(QStringLiteral("result.pdf"))));
    QVERIFY(prompter_.informed.isEmpty());
}

void PrintCommandTest::declinedOfferCancelledDialogOrUnwritableFile() {
    auto print = command({false, kFailure});
    prompter_.yesNoAnswers = {true, false, true, true, true, true};
    const QString unwritable = dir_.filePath(QStringLiteral("no/such/folder/list.pdf"));
    prompter_.savePaths = {QString(), unwritable};
    print->PrintSbTab(); // no PDF wanted
    QVERIFY(prompter_.suggestedPaths.isEmpty());
    print->PrintSbTab(); // the file dialog cancelled
    QCOMPARE(prompter_.suggestedPaths.size(), 1);
    QVERIFY(prompter_.informed.isEmpty());
    print->PrintSbTab(); // a file that cannot be written is reported by its name
    QCOMPARE(prompter_.informed.size(), 1);
    QVERIFY(prompter_.informed[0].contains(QDir::toNativeSeparators(unwritable)));
}

void PrintCommandTest::noPrinterInstalledOffersPdf() {
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        QSKIP("a printer is installed here");
    }
    PrintCommand print(prompter_, sampleContent);
    prompter_.yesNoAnswers = {true, true};
    prompter_.savePaths = {dir_.filePath(QStringLiteral("list.pdf"))};
    print.PrintSbTab();
    QVERIFY2(prompter_.asked.value(1).startsWith(QStringLiteral("没有找到已安装的打印机")),
             qPrintable(prompter_.asked.value(1)));
    QVERIFY(isPdf(dir_.filePath(QStringLiteral("list.pdf"))));
}

QTEST_MAIN(PrintCommandTest)
#include "print_command_test.moc"
