// SPDX-License-Identifier: GPL-3.0-or-later
// The usage notes: the lines fit on the panel's face, and the commands that open and close the
// panel, in front of every other panel or where it lies among them.

#include "bare_face.h"

#include "ui/clickable_label.h"
#include "ui/help_panel.h"
#include "ui/picture_label.h"
#include "ui/shape_widget.h"

#include <QLabel>

using namespace gearsel;
using namespace gearsel::testing;

namespace {

// True when the notes panel takes the pointer at `control`'s centre.
bool notesCover(const MainFace& f, QWidget* control) {
    QWidget* hit =
        f.panels().Ped0->childAt(control->mapTo(f.panels().Ped0, control->rect().center()));
    return hit == f.panels().PedHelp || f.panels().PedHelp->isAncestorOf(hit);
}

} // namespace

class HelpPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyLineFitsOnTheFace();
    void openAndClose_data();
    void openAndClose();
};

void HelpPanelTest::everyLineFitsOnTheFace() {
    BareFace bare;
    const HelpPanel help(bare.face);
    const QList<QLabel*> lines = bare.face.panels().PedHelp->findChildren<QLabel*>();
    QCOMPARE(lines.size(), 4 + 1 + 3 + 11);
    for (QLabel* line : lines) {
        QVERIFY2(bare.face.panels().Shape1->geometry().contains(line->geometry()),
                 qPrintable(line->objectName()));
        // Lines are cut by nothing: all fit their text but Labsmwz(3), which has its own size.
        if (qobject_cast<PictureLabel*>(line) == nullptr && line != help.Labsmwz.at(3)) {
            QVERIFY2(line->width() >= line->sizeHint().width(), qPrintable(line->objectName()));
        }
    }
    QCOMPARE(help.Labsmwz.at(3)->geometry(), QRect(26, 175, 485, 14));
}

void HelpPanelTest::openAndClose_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("toFront");
    QTest::newRow("ComHelp") << "ComHelp" << true;
    QTest::newRow("LabHelp") << "LabHelp" << true;
    QTest::newRow("ImaSM") << "ImaSM" << false;
    QTest::newRow("LabZCSM") << "LabZCSM" << false;
}

void HelpPanelTest::openAndClose() {
    QFETCH(QString, command);
    QFETCH(bool, toFront);
    BareFace bare;
    MainFace& f = bare.face;
    const HelpPanel help(f);
    QVERIFY(bare.show());
    QWidget* open = bare.window.findChild<QWidget*>(command);
    QTest::mouseClick(open, Qt::LeftButton);
    QVERIFY(f.panels().PedHelp->isVisible());
    QVERIFY(notesCover(f, f.commands().ComCHOSE));
    QTest::mouseClick(help.ImaQuitHelp, Qt::LeftButton);
    QVERIFY(f.panels().PedHelp->isHidden());
    // With the editor open, in front of the notes panel.
    f.panels().PedNewJC->show();
    QTest::mouseClick(open, Qt::LeftButton);
    QCOMPARE(notesCover(f, f.panels().PedNewJC), toFront);
}

QTEST_MAIN(HelpPanelTest)
#include "help_panel_test.moc"
