// SPDX-License-Identifier: GPL-3.0-or-later
// Hover feedback driven by real pointer moves over the window: which caption turns red over
// which command, what turns it black again, and what leaves it as it is.

#include "window_fixture.h"

#include "ui/hover_feedback.h"

#include <QTest>

using namespace gearsel;
using namespace gearsel::testing;

namespace {

QColor colourOf(const QWidget* caption) {
    return caption->palette().color(QPalette::WindowText);
}

// Moves the pointer, as the mouse does, to `point` of `widget` (its centre by default): the
// toolkit decides which control receives the move.
void moveOver(QWidget* widget, std::optional<QPoint> point = std::nullopt) {
    QWidget* window = widget->window();
    QTest::mouseMove(window->windowHandle(),
                     widget->mapTo(window, point.value_or(widget->rect().center())));
}

// Moves the pointer onto a bare spot of the main panel, clear of every control.
void moveOverBarePanel(const FaceControls& f) {
    moveOver(f.Ped0, QPoint(133, 297));
}

} // namespace

class HoverFeedbackTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hoverAndResetTables_data();
    void hoverAndResetTables();
    void editorSurfaceResetsOnlyItsOwnCaptions();
};

void HoverFeedbackTest::hoverAndResetTables_data() {
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QString>("caption");
    const char* table[][2] = {{"ComCHOSE", "LabCHOSE"},
                              {"LabCHOSE", "LabCHOSE"},
                              {"ComHelp", "LabHelp"},
                              {"LabHelp", "LabHelp"},
                              {"ComSave", "LabSave"},
                              {"LabSave", "LabSave"},
                              {"ImgPrint", "LabPrint"},
                              {"LabPrint", "LabPrint"},
                              {"ImaSM", "LabZCSM"},
                              {"LabZCSM", "LabZCSM"},
                              {"LabExit", "LabExit"},
                              {"LabNewJc", "LabNewJc"},
                              {"LabXgCsTab", "LabXgCsTab"},
                              {"ComExit", ""},
                              {"ImgNewJc", ""},
                              {"ImgEditZ", ""}};
    for (const auto& row : table) {
        QTest::newRow(row[0]) << row[0] << row[1];
    }
}

void HoverFeedbackTest::hoverAndResetTables() {
    QFETCH(QString, trigger);
    QFETCH(QString, caption);
    WindowFixture fixture({{"M", 15, fourteenGears()}});
    QVERIFY(fixture.showAndActivate());
    const FaceControls& f = fixture.face();
    const QList<QLabel*> captions = {f.LabNewJc, f.LabXgCsTab, f.LabSave, f.LabHelp,
                                     f.LabPrint, f.LabCHOSE,   f.LabZCSM, f.LabExit};
    moveOverBarePanel(f);
    moveOver(controlNamed(fixture.window(), trigger));
    // Other controls on the panel are not its bare surface: they leave the colours as they are.
    for (QWidget* other : QList<QWidget*>{f.ImgBTZ, f.Label1, f.TSb, f.Chk, f.GZ}) {
        moveOver(other, QPoint(3, other->height() / 2));
    }
    for (QLabel* each : captions) {
        QCOMPARE(colourOf(each), each->objectName() == caption ? kCommandHover : kCommandRest);
    }
    moveOverBarePanel(f);
    for (QLabel* each : captions) {
        QCOMPARE(colourOf(each), kCommandRest);
    }
}

void HoverFeedbackTest::editorSurfaceResetsOnlyItsOwnCaptions() {
    WindowFixture fixture({{"M", 15, fourteenGears()}});
    QVERIFY(fixture.showAndActivate());
    const FaceControls& f = fixture.face();
    const EditorControls& e = fixture.editor();
    moveOver(f.ComSave);
    QCOMPARE(colourOf(f.LabSave), kCommandHover);
    clickOn(f.LabXgCsTab);
    QVERIFY(e.panel()->isVisible());
    for (QWidget* trigger : QList<QWidget*>{e.ComNewJcQD, e.LabALLs, e.LabFxz}) {
        moveOver(trigger);
    }
    for (QWidget* caption : QList<QWidget*>{e.LabSaveNewJC, e.LabALLs, e.LabFxz}) {
        QCOMPARE(colourOf(caption), kCommandHover);
    }
    // The panel's rounded face takes no input: moving over it is moving over the panel, which
    // leaves the main panel's captions as they are.
    moveOver(e.panel(), QPoint(e.panel()->width() / 2, e.panel()->height() - 20));
    for (QWidget* caption : QList<QWidget*>{e.LabSaveNewJC, e.LabALLs, e.LabFxz}) {
        QCOMPARE(colourOf(caption), kCommandRest);
    }
    QCOMPARE(colourOf(f.LabSave), kCommandHover);
}

QTEST_MAIN(HoverFeedbackTest)
#include "hover_feedback_test.moc"
