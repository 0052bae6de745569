// SPDX-License-Identifier: GPL-3.0-or-later
// The window and its dialogs on a small screen at twice the size (1024 x 768 pixels with Qt's
// scale factor 2, as the test is run): each fits the screen's free area and starts on it, with
// every command in reach.

#include "window_fixture.h"

#include "ui/prompter.h"
#include "ui/ratio_helper.h"
#include "ui/suggestion_list.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace gearsel;
using namespace gearsel::testing;

namespace {

QRect freeArea() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// Whether `widget` lies wholly on the screen's free area.
bool onScreen(const QWidget* widget) {
    return freeArea().contains(QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
}

// The window and every push button in it lie wholly on the screen's free area. (The frame is
// the window manager's: Qt places a dialog by its frame, and may leave the frame's far edge
// off the area.)
bool inReach(const QWidget* window) {
    if (!freeArea().contains(window->geometry())) {
        return false;
    }
    const QList<QPushButton*> buttons = window->findChildren<QPushButton*>();
    return std::all_of(buttons.begin(), buttons.end(),
                       [](const QPushButton* b) { return !b->isVisible() || onScreen(b); });
}

} // namespace

class SmallScreenTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void windowIsDrawnSmallerOnTheScreen();
    void helperAndBuyListFit();
    void dialogsFit();
};

void SmallScreenTest::initTestCase() {
    // Half of 1024 x 768 in Qt's pixels: the screen the test was started with.
    QCOMPARE(freeArea(), QRect(0, 0, 512, 384));
}

void SmallScreenTest::windowIsDrawnSmallerOnTheScreen() {
    WindowFixture fixture({{"A", 15, fourteenGears()}}, TwipsScale::fromScreen());
    QVERIFY(fixture.showAndActivate());
    // 17 twips a pixel instead of 15: 8640 x 5700 twips take 508 x 335 pixels.
    QVERIFY(inReach(&fixture.window()));
    QCOMPARE(fixture.window().size(), QSize(508, 335));
    QLineEdit* ratio = fixture.face().TSb;
    QCOMPARE(ratio->geometry(), QRect(297, 80, 64, 19));
    // The fonts shrink with the layout: the ratio still fits its field.
    QVERIFY(ratio->font().pointSizeF() < 10.5);
    QVERIFY(ratio->fontMetrics().horizontalAdvance(ratio->text()) < ratio->width());

    // The panels shown over the face hold all their controls.
    const FaceControls& f = fixture.face();
    for (const auto& [command, panel] : {std::pair<QWidget*, QWidget*>{f.LabXgCsTab, f.PedNewJC},
                                         std::pair<QWidget*, QWidget*>{f.LabHelp, f.PedHelp}}) {
        clickOn(command);
        QVERIFY(panel->isVisible());
        for (const QWidget* control : panel->findChildren<QWidget*>()) {
            QVERIFY2(!control->isVisible() || panel->rect().contains(control->geometry()),
                     qPrintable(control->objectName()));
        }
        pressKey(panel, Qt::Key_Escape);
    }
}

void SmallScreenTest::helperAndBuyListFit() {
    WindowFixture fixture({{"A", 15, fourteenGears()}}, TwipsScale::fromScreen());
    QVERIFY(fixture.showAndActivate());
    clickOn(fixture.face().Label2);
    RatioHelper* helper = fixture.ratioHelper();
    QVERIFY(helper != nullptr && QTest::qWaitForWindowExposed(helper));
    QVERIFY(inReach(helper));
    clickOn(helper->findChild<QPushButton*>(QStringLiteral("close")));

    clickOn(fixture.face().LabBuy);
    SuggestionList* list = fixture.suggestionList();
    QVERIFY(list != nullptr && QTest::qWaitForWindowExposed(list));
    QVERIFY(inReach(list));
    QCOMPARE(fixture.prompter().informed, QStringList());
}

void SmallScreenTest::dialogsFit() {
    QWidget parent;
    parent.resize(300, 200);
    parent.show();
    MessageBoxPrompter prompter(&parent);
    QStringList outside;
    // Each dialog is looked at, then closed with Esc.
    const auto check = [&outside](QWidget* dialog) {
        if (!inReach(dialog)) {
            outside << dialog->metaObject()->className();
        }
        pressKey(dialog, Qt::Key_Escape);
    };
    answerNextDialog(check);
    QCOMPARE(prompter.askSavePath(QStringLiteral("保存挂轮表"), QStringLiteral("/tmp/挂轮表.pdf"),
                                  QStringLiteral("PDF 文件 (*.pdf)")),
             std::nullopt);
    answerNextDialog(check);
    prompter.inform(QStringLiteral("无法写入文件“%1”，挂轮表没有保存。")
                        .arg(QStringLiteral("/home/user/").repeated(12)));
    answerNextDialog(check);
    QCOMPARE(prompter.askText(QStringLiteral("输入新的机床名称："), QStringLiteral("新的机床名称")),
             std::nullopt);
    QVERIFY2(outside.isEmpty(), qPrintable(outside.join(", ")));
}

QTEST_MAIN(SmallScreenTest)
#include "small_screen_test.moc"
