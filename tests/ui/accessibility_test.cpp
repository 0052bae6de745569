// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds: the accessibility tree of the main window, the gear-set editor,
// the usage notes, the ratio helper (each formula and the chart page), the buy list, the
// three-pair page and the picture of a train, walked through Qt's accessibility interfaces as
// an assistive technology walks them. Every control a user can act on, and every stop of the
// Tab key, has a name, every command is a button, and every command can be reached by Tab or
// given by its key. Run with GEARSEL_ACCESSIBILITY_DUMP=1 to print each tree.

#include "window_fixture.h"

#include "ui/command_button.h"
#include "ui/fit_picture_dialog.h"
#include "ui/ratio_helper.h"
#include "ui/suggestion_list.h"
#include "ui/three_pair_dialog.h"

#include <QAccessible>
#include <QApplication>
#include <QTabWidget>
#include <QTest>

using namespace gearsel;
using namespace gearsel::testing;

namespace {

// Roles of the controls a user acts on; labels, pictures, panels and frames are not.
bool interactive(QAccessible::Role role) {
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
    case QAccessible::Table:
    case QAccessible::PageTab:
    case QAccessible::ButtonMenu:
        return true;
    default:
        return false;
    }
}

struct Node {
    QAccessible::Role role;
    QString name;
    QString description;
    QObject* object;
    int depth;
};

// Every node of the tree below `root` that is not invisible, in reading order.
void walk(QAccessibleInterface* node, int depth, std::vector<Node>& out) {
    if (node == nullptr || node->state().invisible) {
        return;
    }
    out.push_back({node->role(), node->text(QAccessible::Name),
                   node->text(QAccessible::Description), node->object(), depth});
    for (int i = 0; i < node->childCount(); ++i) {
        walk(node->child(i), depth + 1, out);
    }
}

std::vector<Node> treeOf(QWidget* top) {
    std::vector<Node> nodes;
    walk(QAccessible::queryAccessibleInterface(top), 0, nodes);
    if (qEnvironmentVariableIsSet("GEARSEL_ACCESSIBILITY_DUMP")) {
        for (const Node& node : nodes) {
            const QString objectName = node.object ? node.object->objectName() : QString();
            qInfo().noquote() << QString(node.depth * 2, QLatin1Char(' ')) +
                                     QStringLiteral("%1 \"%2\" [%3] %4")
                                         .arg(QString::number(node.role, 16), node.name, objectName,
                                              node.description.left(40));
        }
    }
    return nodes;
}

// The controls the Tab key reaches from the focus, going round until it comes back.
QSet<QWidget*> tabRound(QWidget* top) {
    QWidget* start = QApplication::focusWidget();
    QSet<QWidget*> reached = {start};
    for (int step = 0; step < 400; ++step) {
        pressKey(top, Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        if (now == nullptr || (step > 0 && now == start)) {
            break;
        }
        reached << now;
        // A combo box takes the focus in its text part.
        if (now->parentWidget() != nullptr) {
            reached << now->parentWidget();
        }
    }
    return reached;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void mainWindow();
    void gearSetEditorAndNotes();
    void ratioHelperAndChartPage();
    void buyList();
    void threePairPageAndTrainPicture();

private:
    // Every control the user acts on in `top` has a name, and every command (a button) is
    // reached by Tab or has a key.
    void checkView(QWidget* top, const QString& view);

    std::unique_ptr<WindowFixture> fixture_;
};

void AccessibilityTest::init() {
    // A geometry, so that the picture of a train has something to show.
    MachineConstants lathe;
    lathe.toothSize = ToothSize{ToothSize::Unit::Module, 1.0};
    lathe.centre = 50.0;
    fixture_ = std::make_unique<WindowFixture>(std::vector<NewMachine>{
        {"CA6140", 15, fourteenGears(), lathe}, {"Y38", 20, {24, 36, 48, 60}}});
    QVERIFY(fixture_->showAndActivate());
}

void AccessibilityTest::cleanup() {
    QCOMPARE(fixture_->prompter().informed, QStringList());
    fixture_.reset();
}

void AccessibilityTest::checkView(QWidget* top, const QString& view) {
    const std::vector<Node> nodes = treeOf(top);
    const QSet<QWidget*> byTab = tabRound(top);
    QStringList unnamed;
    QStringList unreachable;
    int commands = 0;
    for (const Node& node : nodes) {
        auto* widget = qobject_cast<QWidget*>(node.object);
        // A frame or an area that Tab stops on is read out as a control too.
        const bool tabStop = widget != nullptr && widget->isEnabled() &&
                             (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
        if (!interactive(node.role) && !tabStop) {
            continue;
        }
        const QString what = QStringLiteral("%1 (%2)").arg(
            widget ? widget->objectName() : QStringLiteral("?"), QString::number(node.role, 16));
        if (node.name.trimmed().isEmpty()) {
            unnamed << what;
        }
        if (node.role != QAccessible::PushButton || widget == nullptr || !widget->isEnabled()) {
            continue;
        }
        ++commands;
        const auto* command = qobject_cast<CommandButton*>(widget);
        if (!byTab.contains(widget) && (command == nullptr || command->key().isEmpty())) {
            unreachable << what;
        }
    }
    QVERIFY2(unnamed.isEmpty(),
             qPrintable(view + QStringLiteral(" unnamed: ") + unnamed.join(", ")));
    QVERIFY2(unreachable.isEmpty(),
             qPrintable(view + QStringLiteral(" out of reach: ") + unreachable.join(", ")));
    QVERIFY2(commands > 0, qPrintable(view));
}

void AccessibilityTest::mainWindow() {
    const FaceControls& f = fixture_->face();
    checkView(&fixture_->window(), QStringLiteral("main window"));
    // The commands are buttons named by their captions and described by their hover texts,
    // which name their keys.
    QAccessibleInterface* select = QAccessible::queryAccessibleInterface(f.ComCHOSE);
    QCOMPARE(select->role(), QAccessible::PushButton);
    QCOMPARE(select->text(QAccessible::Name), QStringLiteral("选配"));
    QCOMPARE(select->text(QAccessible::Description),
             QStringLiteral("开始进行挂轮选配（Ctrl+Return）"));
    QCOMPARE(QAccessible::queryAccessibleInterface(f.ComExit)->text(QAccessible::Description),
             QStringLiteral("Ctrl+Q"));
    // Fields are named by their captions; the machine box, named by its text as a combo box
    // is, is labelled by its caption.
    for (const auto& [field, name] :
         {std::pair<QWidget*, QString>{f.Tzptj, QStringLiteral("装配条件：")},
          std::pair<QWidget*, QString>{f.Tns, QStringLiteral("列表组数：")},
          std::pair<QWidget*, QString>{f.TSb, QStringLiteral("要求速比")}}) {
        QCOMPARE(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name), name);
    }
    const auto labels =
        QAccessible::queryAccessibleInterface(f.Mtype)->relations(QAccessible::Label);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.front().first->text(QAccessible::Name), QStringLiteral("机床名称："));
}

void AccessibilityTest::gearSetEditorAndNotes() {
    pressKey(fixture_->face().Ped0, Qt::Key_E, Qt::ControlModifier);
    QVERIFY(fixture_->editor().panel()->isVisible());
    checkView(&fixture_->window(), QStringLiteral("editor"));
    // The tooth-count boxes are named by their tooth counts.
    QCOMPARE(
        QAccessible::queryAccessibleInterface(fixture_->editor().ZsS[5])->text(QAccessible::Name),
        QStringLiteral("20"));
    pressKey(fixture_->face().Ped0, Qt::Key_Escape);
    pressKey(fixture_->face().Ped0, Qt::Key_F1);
    QVERIFY(fixture_->face().PedHelp->isVisible());
    checkView(&fixture_->window(), QStringLiteral("notes"));
    pressKey(fixture_->face().Ped0, Qt::Key_Escape);
    QVERIFY(!fixture_->face().PedHelp->isVisible());
}

void AccessibilityTest::ratioHelperAndChartPage() {
    pressKey(fixture_->face().Ped0, Qt::Key_R, Qt::ControlModifier);
    RatioHelper* helper = fixture_->ratioHelper();
    QVERIFY(helper != nullptr && QTest::qWaitForWindowActive(helper));
    auto* pages = helper->findChild<QTabWidget*>(QStringLiteral("pages"));
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        checkView(helper, pages->tabText(page));
    }
    // The chart page with a chart on it.
    typeInto(constantField(*helper, ConstantKey::IndexConstant), QStringLiteral("24"));
    QCOMPARE(workOutHobbingChart(*helper), 6);
    checkView(helper, QStringLiteral("chart"));
    pressKey(helper, Qt::Key_Escape);
}

void AccessibilityTest::buyList() {
    pressKey(fixture_->face().Ped0, Qt::Key_B, Qt::ControlModifier);
    SuggestionList* list = fixture_->suggestionList();
    QVERIFY(list != nullptr && QTest::qWaitForWindowActive(list));
    checkView(list, QStringLiteral("buy list"));
    pressKey(list, Qt::Key_Escape);
}

void AccessibilityTest::threePairPageAndTrainPicture() {
    QWidget* face = fixture_->face().Ped0;
    pressKey(face, Qt::Key_3, Qt::ControlModifier);
    auto* threePairs = fixture_->window().findChild<ThreePairDialog*>();
    QVERIFY(threePairs != nullptr && QTest::qWaitForWindowActive(threePairs));
    checkView(threePairs, QStringLiteral("three pairs"));
    pressKey(threePairs, Qt::Key_Escape);
    QTRY_VERIFY(!threePairs->isVisible());

    fixture_->window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fixture_->window()));
    // The search from the grid, so that no field left afterwards clears its list.
    focusOn(fixture_->face().GZ);
    pressKey(face, Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(!cellText(fixture_->face().GZ, 1, 1).trimmed().isEmpty());
    pressKey(face, Qt::Key_G, Qt::ControlModifier);
    FitPictureDialog* picture = nullptr;
    QTRY_VERIFY((picture = fixture_->window().findChild<FitPictureDialog*>()) != nullptr &&
                QTest::qWaitForWindowActive(picture));
    checkView(picture, QStringLiteral("train picture"));
    pressKey(picture, Qt::Key_Escape);
    QTRY_VERIFY(!picture->isVisible());
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
