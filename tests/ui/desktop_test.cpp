// SPDX-License-Identifier: GPL-3.0-or-later
// The window among the others on a desktop: its name and version, moved by dragging its panel,
// and the real dialogs, whose buttons speak Chinese like the rest of the program.

#include "window_fixture.h"

#include "engine/value_problem.h"
#include "ui/guarded_application.h"
#include "ui/prompter.h"
#include "ui/window_language.h"

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace gearsel;
using namespace gearsel::testing;

namespace {

QStringList buttonTexts(QWidget* dialog) {
    QStringList texts;
    for (const QPushButton* button : dialog->findChildren<QPushButton*>()) {
        texts << button->text();
    }
    texts.sort();
    return texts;
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void namesTheProductAndThisBuild();
    void draggingTheBarePanelMovesTheWindow();
    void realDialogsInChinese();
    void realDialogsFollowTheWindowsLanguage();
    void anExceptionEscapingASlotIsToldOnce();
};

void DesktopTest::initTestCase() {
    QVERIFY(installWindowLanguage(Language::Chinese));
}

void DesktopTest::namesTheProductAndThisBuild() {
    WindowFixture fixture({{"A", 15, fourteenGears()}});
    QVERIFY(fixture.showAndActivate());
    QCOMPARE(fixture.window().windowHandle()->title(), QStringLiteral("挂轮选配 GearSel"));

    // The usage notes: the name in the title, the version the build was made as, and no
    // address that leads nowhere.
    clickOn(fixture.face().ComHelp);
    QWidget* notes = fixture.face().PedHelp;
    QVERIFY(notes->isVisible());
    QCOMPARE(notes->findChild<QLabel*>(QStringLiteral("Label7"))->text(),
             QStringLiteral("《挂轮选配 GearSel》程序 使用说明"));
    QCOMPARE(notes->findChild<QLabel*>(QStringLiteral("LabLXmm_0"))->text(),
             QStringLiteral("Ver " GEARSEL_PROJECT_VERSION));
    for (const QLabel* line : notes->findChildren<QLabel*>()) {
        for (const QString& text : {line->text(), line->toolTip()}) {
            QVERIFY2(!text.contains(QStringLiteral("example.")) &&
                         !text.contains(QStringLiteral("http")) && !text.contains(QLatin1Char('@')),
                     qPrintable(line->objectName() + QStringLiteral(": ") + text));
        }
    }
}

void DesktopTest::draggingTheBarePanelMovesTheWindow() {
    WindowFixture fixture({{"A", 15, fourteenGears()}});
    QVERIFY(fixture.showAndActivate());
    GearSel& window = fixture.window();
    QWindow* handle = window.windowHandle();
    const QPoint start = window.pos();

    // The painted frame at the top left corner. Positions are given inside the window: once
    // it has followed the pointer, the pointer is over the same point of it again.
    const QPoint frame(4, 4);
    QCOMPARE(fixture.face().Ped0->childAt(frame), nullptr);
    QTest::mousePress(handle, Qt::LeftButton, {}, frame);
    QTest::mouseMove(handle, frame + QPoint(40, 25));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, frame);
    QCOMPARE(window.pos(), start + QPoint(40, 25));

    // A caption is no handle, and a command still runs as a click.
    const QPoint moved = window.pos();
    QWidget* caption = fixture.face().Label1;
    const QPoint onCaption = caption->mapTo(&window, caption->rect().center());
    QTest::mousePress(handle, Qt::LeftButton, {}, onCaption);
    QTest::mouseMove(handle, onCaption + QPoint(30, 30));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, onCaption + QPoint(30, 30));
    QCOMPARE(window.pos(), moved);
    window.clearResults();
    clickOn(fixture.face().LabCHOSE);
    QVERIFY(fixture.face().LabSD->isVisible());
    QCOMPARE(window.pos(), moved);
}

void DesktopTest::realDialogsInChinese() {
    QWidget parent;
    parent.show();
    MessageBoxPrompter prompter(&parent);

    QStringList seen;
    answerNextDialog([&seen](QWidget* box) {
        seen << box->windowTitle() << buttonTexts(box);
        clickOn(static_cast<QMessageBox*>(box)->button(QMessageBox::No));
    });
    QVERIFY(!prompter.askYesNo(QStringLiteral("删除“A”这个挂轮表？"), Prompter::Icon::Information));
    QCOMPARE(seen, (QStringList{"操作提示", "否(&N)", "是(&Y)"}));

    seen.clear();
    answerNextDialog([&seen](QWidget* box) {
        seen << buttonTexts(box);
        pressKey(box, Qt::Key_Return);
    });
    prompter.inform(QStringLiteral("文件“/tmp/x/system.lib”不存在"));
    QCOMPARE(seen, QStringList{"确定"});

    seen.clear();
    answerNextDialog([&seen](QWidget* box) {
        seen << buttonTexts(box);
        typeInto(box->findChild<QLineEdit*>(), QStringLiteral("CA6140"));
        pressKey(box, Qt::Key_Return);
    });
    QCOMPARE(prompter.askText(QStringLiteral("输入新的机床名称："), QStringLiteral("新的机床名称")),
             std::optional<QString>(QStringLiteral("CA6140")));
    QCOMPARE(seen, (QStringList{"取消", "确定"}));
}

void DesktopTest::realDialogsFollowTheWindowsLanguage() {
    // Qt's own buttons and the window's title of a question change with the window: English
    // leaves Qt's texts as they are built in, Chinese comes back with Qt's translation.
    for (const auto& [language, expected] :
         {std::pair{Language::English, QStringList{"Notice", "&No", "&Yes"}},
          std::pair{Language::Chinese, QStringList{"操作提示", "否(&N)", "是(&Y)"}}}) {
        QVERIFY(installWindowLanguage(language));
        QWidget parent;
        parent.show();
        MessageBoxPrompter prompter(&parent);
        QStringList seen;
        answerNextDialog([&seen](QWidget* box) {
            seen << box->windowTitle() << buttonTexts(box);
            clickOn(static_cast<QMessageBox*>(box)->button(QMessageBox::No));
        });
        QVERIFY(!prompter.askYesNo(QStringLiteral("?"), Prompter::Icon::Information));
        QCOMPARE(seen, expected);
    }
}

void DesktopTest::anExceptionEscapingASlotIsToldOnce() {
    // A handler that lets an exception escape: posted work that throws, delivered by the
    // event loop as a click's handler is.
    auto* app = static_cast<GuardedApplication*>(QCoreApplication::instance());
    FakePrompter prompter;
    app->setPrompter(&prompter);
    int runs = 0;
    QObject context;
    for (int i = 0; i < 2; ++i) {
        QMetaObject::invokeMethod(
            &context,
            [&runs] {
                ++runs;
                throw std::runtime_error("disk on fire");
            },
            Qt::QueuedConnection);
    }
    QTRY_COMPARE(runs, 2);
    app->setPrompter(nullptr);
    // The program went on after the first failure and told each one.
    QCOMPARE(prompter.informed.size(), 2);
    // An exception that carries no problem is the program's own fault: its English text stays
    // out of the Chinese sentence.
    QCOMPARE(prompter.informed.front(), QStringLiteral("操作没有完成：程序内部出错"));

    // One that carries a problem is worded by it, in Chinese.
    app->setPrompter(&prompter);
    const auto refuseZeroIndexConstant = [] {
        ValueProblem zero{ValueProblem::Kind::NotPositive};
        zero.input = ValueInput::IndexConstant;
        throw ValueRefused(zero);
    };
    QMetaObject::invokeMethod(&context, refuseZeroIndexConstant, Qt::QueuedConnection);
    QTRY_COMPARE(prompter.informed.size(), 3);
    app->setPrompter(nullptr);
    QCOMPARE(prompter.informed.back(), QStringLiteral("操作没有完成：分度常数 K必须大于 0"));

    // In English the problem is the command line's phrase, after the caption as it stands.
    QVERIFY(installWindowLanguage(Language::English));
    app->setPrompter(&prompter);
    QMetaObject::invokeMethod(&context, refuseZeroIndexConstant, Qt::QueuedConnection);
    QTRY_COMPARE(prompter.informed.size(), 4);
    app->setPrompter(nullptr);
    QVERIFY(installWindowLanguage(Language::Chinese));
    QCOMPARE(prompter.informed.back(),
             QStringLiteral("The operation was not completed: the index constant must be above 0"));
}

// The window's own application object, as the program runs it.
int main(int argc, char** argv) {
    GuardedApplication app(argc, argv);
    DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "desktop_test.moc"
