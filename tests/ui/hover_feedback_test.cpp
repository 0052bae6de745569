// SPDX-License-Identifier: GPL-3.0-or-later
// Hover feedback driven by real pointer moves over the window: which label turns red over
// which command, what turns it black again, and what leaves it as it is.

#include "bare_face.h"

#include "ui/clickable_label.h"
#include "ui/hover_feedback.h"
#include "ui/line_field.h"
#include "ui/picture_label.h"

#include <QCheckBox>
#include <QTableWidget>

using namespace gearsel;
using namespace gearsel::testing;

namespace {

QColor colourOf(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

// Moves the pointer onto a bare spot of the main panel, clear of every control.
void moveOverBarePanel(BareFace& bare) {
    bare.moveOver(bare.face.panels().Ped0,
                  QPoint(bare.face.scale().x(2000), bare.face.scale().y(4450)));
}

} // namespace

class HoverFeedbackTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hoverAndResetTables_data();
    void hoverAndResetTables();
    void panelSurfaceResetsOnlyItsOwnLabels();
};

void HoverFeedbackTest::hoverAndResetTables_data() {
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QString>("label");
    const char* table[][2] = {
        {"ComCHOSE", "LabCHOSE"},     {"LabCHOSE", "LabCHOSE"}, {"ComHelp", "LabHelp"},
        {"LabHelp", "LabHelp"},       {"ComSave", "LabSave"},   {"LabSave", "LabSave"},
        {"ImgPrint", "LabPrint"},     {"LabPrint", "LabPrint"}, {"ImaSM", "LabZCSM"},
        {"LabZCSM", "LabZCSM"},       {"LabExit", "LabExit"},   {"LabNewJc", "LabNewJc"},
        {"LabXgCsTab", "LabXgCsTab"}, {"ComExit", ""}};
    for (const auto& row : table) {
        QTest::newRow(row[0]) << row[0] << row[1];
    }
}

void HoverFeedbackTest::hoverAndResetTables() {
    QFETCH(QString, trigger);
    QFETCH(QString, label);
    BareFace bare;
    MainFace& f = bare.face;
    const HoverFeedback hover(f);
    QVERIFY(bare.show());
    const QList<QLabel*> labels = {
        f.commands().LabNewJc, f.commands().LabXgCsTab, f.commands().LabSave, f.commands().LabHelp,
        f.commands().LabPrint, f.commands().LabCHOSE,   f.commands().LabZCSM, f.commands().LabExit};
    moveOverBarePanel(bare);
    bare.moveOver(bare.window.findChild<QWidget*>(trigger));
    // Other controls on the panel are not its bare surface: they leave the colours as they are.
    for (QWidget* other : QList<QWidget*>{f.commands().ImgBTZ, f.captions().Label1, f.fields().TSb,
                                          f.fields().Chk, f.resultGrid().widget()}) {
        bare.moveOver(other, QPoint(3, other->height() / 2));
    }
    for (QLabel* each : labels) {
        QCOMPARE(colourOf(each), each->objectName() == label ? kCommandHover : kCommandRest);
    }
    moveOverBarePanel(bare);
    for (QLabel* each : labels) {
        QCOMPARE(colourOf(each), kCommandRest);
    }
}

void HoverFeedbackTest::panelSurfaceResetsOnlyItsOwnLabels() {
    BareFace bare;
    MainFace& f = bare.face;
    HoverFeedback hover(f);
    QVERIFY(bare.show());
    // A panel like the editor, with a picture command and its label.
    auto* picture = new PictureLabel(f.panels().PedNewJC);
    auto* save = new ClickableLabel(f.panels().PedNewJC);
    picture->setGeometry(f.scale().rect(6225, 120, 450, 240));
    save->setGeometry(f.scale().rect(6675, 510, 450, 240));
    hover.addCommand(picture, save);
    hover.addResetSurface(f.panels().PedNewJC, {save});
    bare.moveOver(f.commands().ComSave);
    f.panels().PedNewJC->show();
    bare.moveOver(picture);
    QCOMPARE(colourOf(save), kCommandHover);
    // The panel's rounded face takes no input: moving over it is moving over the panel, which
    // leaves the main panel's labels as they are.
    bare.moveOver(f.panels().PedNewJC,
                  QPoint(f.panels().PedNewJC->width() / 2, f.panels().PedNewJC->height() - 20));
    QCOMPARE(colourOf(save), kCommandRest);
    QCOMPARE(colourOf(f.commands().LabSave), kCommandHover);
}

QTEST_MAIN(HoverFeedbackTest)
#include "hover_feedback_test.moc"
