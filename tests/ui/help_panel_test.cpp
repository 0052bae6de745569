// SPDX-License-Identifier: GPL-3.0-or-later
// The usage notes: the lines fit on the panel's face, and the commands that open and close the
// panel, in front of every other panel or where it lies among them.

#include "window_fixture.h"

#include "ui/help_panel.h"

#include <QTest>

using namespace gearsel;
using namespace gearsel::testing;

namespace {

// True when the notes panel takes the pointer at `control`'s centre.
bool notesCover(const FaceControls& f, QWidget* control) {
    QWidget* hit = f.Ped0->childAt(control->mapTo(f.Ped0, control->rect().center()));
    return hit == f.PedHelp || f.PedHelp->isAncestorOf(hit);
}

} // namespace

class HelpPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyLineFitsOnTheFace();
    void openAndClose_data();
    void openAndClose();
    void helpComesToTheFrontNotesStayInPlace();
};

void HelpPanelTest::everyLineFitsOnTheFace() {
    WindowFixture fixture({{"M", 15, fourteenGears()}});
    const FaceControls& f = fixture.face();
    const QList<QLabel*> lines = f.PedHelp->findChildren<QLabel*>();
    QCOMPARE(lines.size(), 3 + 1 + 3 + 11);
    QWidget* fixed = controlNamed(fixture.window(), QStringLiteral("Labsmwz_3"));
    for (QLabel* line : lines) {
        QVERIFY2(f.Shape1->geometry().contains(line->geometry()), qPrintable(line->objectName()));
        // Lines are cut by nothing: all fit their text but Labsmwz(3), which has its own size.
        if (line->pixmap().isNull() && line != fixed) {
            QVERIFY2(line->width() >= line->sizeHint().width(), qPrintable(line->objectName()));
        }
    }
    QCOMPARE(fixed->geometry(), QRect(26, 175, 485, 14));
    QWidget* close = controlNamed(fixture.window(), QStringLiteral("ImaQuitHelp"));
    QVERIFY(f.Shape1->geometry().contains(close->geometry()));
}

void HelpPanelTest::openAndClose_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("ComHelp") << "ComHelp";
    QTest::newRow("LabHelp") << "LabHelp";
    QTest::newRow("ImaSM") << "ImaSM";
    QTest::newRow("LabZCSM") << "LabZCSM";
}

void HelpPanelTest::openAndClose() {
    QFETCH(QString, command);
    WindowFixture fixture({{"M", 15, fourteenGears()}});
    QVERIFY(fixture.showAndActivate());
    const FaceControls& f = fixture.face();
    clickOn(controlNamed(fixture.window(), command));
    QVERIFY(f.PedHelp->isVisible());
    QVERIFY(notesCover(f, f.ComCHOSE));
    clickOn(controlNamed(fixture.window(), QStringLiteral("ImaQuitHelp")));
    QVERIFY(f.PedHelp->isHidden());
    QVERIFY(fixture.prompter().informed.isEmpty());
}

void HelpPanelTest::helpComesToTheFrontNotesStayInPlace() {
    // With the editor open the face's commands are out of reach; the notes panel itself still
    // comes to the front for the help command and stays behind the editor for the notes one.
    WindowFixture fixture({{"M", 15, fourteenGears()}});
    const FaceControls& f = fixture.face();
    auto* help = qobject_cast<HelpPanel*>(f.PedHelp);
    for (const bool toFront : {false, true}) {
        f.PedNewJC->show();
        f.PedNewJC->raise();
        if (toFront) {
            help->showInFront();
        } else {
            help->showInPlace();
        }
        QCOMPARE(notesCover(f, f.PedNewJC), toFront);
        help->hide();
        f.PedNewJC->hide();
    }
}

QTEST_MAIN(HelpPanelTest)
#include "help_panel_test.moc"
