// The usage notes: the lines on the panel's face, the contact lines, and the commands that
// open and close the panel with their stacking among the panels.

#include "bare_face.h"

#include "ui/clickable_label.h"
#include "ui/help_panel.h"
#include "ui/picture_label.h"
#include "ui/shape_widget.h"

#include <QLabel>

using namespace gearsel;
using namespace gearsel::testing;

class HelpPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void everyLineFitsOnTheFace();
    void helpCommandsBringTheNotesToTheFront();
    void notesCommandsKeepTheStacking();

private:
    // True when the notes panel takes the pointer at `control`'s centre.
    bool notesCover(QWidget* control) {
        QWidget* hit = face().Ped0->childAt(control->mapTo(face().Ped0, control->rect().center()));
        return hit == face().PedHelp || face().PedHelp->isAncestorOf(hit);
    }
    MainFace& face() { return bare_->face; }
    std::unique_ptr<BareFace> bare_;
    std::unique_ptr<HelpPanel> help_;
};

void HelpPanelTest::init() {
    bare_ = std::make_unique<BareFace>();
    help_ = std::make_unique<HelpPanel>(face());
    QVERIFY(bare_->show());
}

void HelpPanelTest::cleanup() {
    help_.reset();
    bare_.reset();
}

void HelpPanelTest::everyLineFitsOnTheFace() {
    const QList<QLabel*> lines = face().PedHelp->findChildren<QLabel*>();
    QCOMPARE(lines.size(), 4 + 1 + 3 + 11);
    for (QLabel* line : lines) {
        QVERIFY2(face().Shape1->geometry().contains(line->geometry()),
                 qPrintable(line->objectName()));
        // Lines are cut by nothing: all fit their text but Labsmwz(3), which has its own size.
        if (qobject_cast<PictureLabel*>(line) == nullptr && line != help_->Labsmwz.at(3)) {
            QVERIFY2(line->width() >= line->sizeHint().width(), qPrintable(line->objectName()));
        }
    }
    QCOMPARE(help_->Labsmwz.at(3)->geometry(), QRect(26, 175, 485, 14));
    QCOMPARE(face().PedHelp->children().indexOf(face().Shape1), 0);
    QCOMPARE(help_->LabLXmm[1]->text(),
             QStringLiteral(
                 "使用中有什么建议要求请用Email: gearsel@example.org 联系告知，以便进一步改进。"));
    QCOMPARE(help_->LabLXmm[2]->toolTip(), QStringLiteral("https://www.example.org/gearsel/"));
}

void HelpPanelTest::helpCommandsBringTheNotesToTheFront() {
    MainFace& f = face();
    for (ClickableLabel* command : {static_cast<ClickableLabel*>(f.ComHelp), f.LabHelp}) {
        // The editor is open, in front of the notes panel.
        f.PedNewJC->show();
        f.PedNewJC->raise();
        QTest::mouseClick(command, Qt::LeftButton);
        QVERIFY(f.PedHelp->isVisible());
        QCOMPARE(f.Ped0->children().last(), f.PedHelp);
        for (QWidget* covered : QList<QWidget*>{f.PedNewJC, f.ComCHOSE, f.ImgPrint, f.ComExit}) {
            QVERIFY2(notesCover(covered), qPrintable(covered->objectName()));
        }
        QTest::mouseClick(help_->ImaQuitHelp, Qt::LeftButton);
        QVERIFY(f.PedHelp->isHidden());
        QVERIFY(!notesCover(f.PedNewJC));
    }
}

void HelpPanelTest::notesCommandsKeepTheStacking() {
    MainFace& f = face();
    const QObjectList before = f.Ped0->children();
    for (ClickableLabel* command : {static_cast<ClickableLabel*>(f.ImaSM), f.LabZCSM}) {
        QTest::mouseClick(command, Qt::LeftButton);
        QVERIFY(f.PedHelp->isVisible());
        QCOMPARE(f.Ped0->children(), before);
        QVERIFY(notesCover(f.ComCHOSE));
        f.PedHelp->hide();
    }
    // With the editor open, the notes open behind it.
    f.PedNewJC->show();
    QTest::mouseClick(f.ImaSM, Qt::LeftButton);
    QVERIFY(f.PedHelp->isVisible());
    QVERIFY(!notesCover(f.PedNewJC));
}

QTEST_MAIN(HelpPanelTest)
#include "help_panel_test.moc"
