// SPDX-License-Identifier: GPL-3.0-or-later
// The gear-set editor driven through its real controls: the box layout for a range, how a
// gear list is shown, the range corrections, the caption editor, tick all and invert.

#include "window_fixture.h"

#include "ui/gear_set_editor.h"

#include <QCheckBox>
#include <QTest>

using namespace gearsel;
using namespace gearsel::testing;

class EditorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void boxLayoutForARange_data();
    void boxLayoutForARange();
    void rangeFields();
    void repeatedToothCountTakesTheNextBox();
    void tickAllClearAllAndInvert();
    void captionEditorFollowsTheLastBox();

private:
    void open(std::vector<std::int16_t> gears);
    EditorControls& editor() { return fixture_->editor(); }
    QCheckBox* box(int i) { return editor().ZsS[static_cast<std::size_t>(i)]; }
    int visibleBoxes();
    QStringList tickedCaptions();
    void click(QWidget* w) { clickOn(w); }
    void setRange(const QString& lo, const QString& hi);

    std::unique_ptr<WindowFixture> fixture_;
};

void EditorTest::open(std::vector<std::int16_t> gears) {
    fixture_ =
        std::make_unique<WindowFixture>(std::vector<NewMachine>{{"M", 15, std::move(gears)}});
    QVERIFY(fixture_->showAndActivate());
    click(fixture_->face().LabXgCsTab);
    QVERIFY(editor().panel()->isVisible());
}

void EditorTest::cleanup() {
    if (fixture_) {
        QVERIFY2(fixture_->prompter().informed.isEmpty(),
                 qPrintable(fixture_->prompter().informed.join('\n')));
    }
    fixture_.reset();
}

int EditorTest::visibleBoxes() {
    int n = 0;
    for (QCheckBox* b : editor().ZsS) {
        n += b->isVisible() ? 1 : 0;
    }
    return n;
}

QStringList EditorTest::tickedCaptions() {
    QStringList out;
    for (const QString& c : editor().tickedCaptions()) {
        out << c;
    }
    return out;
}

void EditorTest::setRange(const QString& lo, const QString& hi) {
    // Leaving a changed range field lays the boxes out and puts the focus in the caption
    // editor, so each field is confirmed on its own.
    typeInto(editor().Text1, lo);
    focusOn(editor().TxG);
    typeInto(editor().Text2, hi);
    focusOn(editor().TxG);
}

void EditorTest::boxLayoutForARange_data() {
    QTest::addColumn<QString>("lo");
    QTest::addColumn<QString>("hi");
    QTest::addColumn<int>("boxes");
    QTest::addColumn<int>("columns");
    QTest::newRow("15..150, ten columns") << "15"
                                          << "150" << 136 << 10;
    QTest::newRow("30..180, 151 boxes") << "30"
                                        << "180" << 151 << 12;
}

void EditorTest::boxLayoutForARange() {
    QFETCH(QString, lo);
    QFETCH(QString, hi);
    QFETCH(int, boxes);
    QFETCH(int, columns);
    open({20, 25, 30, 40, 50});
    setRange(lo, hi);
    QCOMPARE(visibleBoxes(), boxes);
    QCOMPARE(box(columns)->x(), box(0)->x());
    QVERIFY(box(columns)->y() > box(0)->y());
    QCOMPARE(box(columns - 1)->y(), box(0)->y());
    QCOMPARE(box(0)->text(), lo);
    QCOMPARE(box(boxes - 1)->text(), hi);
    QCOMPARE(editor().LabSN->text(), QStringLiteral("0"));
    QVERIFY(tickedCaptions().isEmpty());
    // The last box stays inside the panel.
    QVERIFY(box(boxes - 1)->geometry().bottom() < editor().panel()->height());
}

void EditorTest::rangeFields() {
    // {40, 80} shows 35..85; the fields' own limits apply only when they lose the focus.
    open({40, 80});
    QCOMPARE(editor().Text1->text(), QStringLiteral("35"));
    focusOn(editor().Text2); // 85 is changed to 100 ...
    focusOn(editor().TxG);
    QCOMPARE(editor().Text2->text(), QStringLiteral("100"));
    QVERIFY(tickedCaptions().isEmpty()); // ... and the boxes are laid out afresh, cleared
    click(box(0));
    focusOn(editor().Text2); // unchanged: no new layout
    focusOn(editor().TxG);
    QCOMPARE(tickedCaptions().size(), 1);
    for (const auto& [field, typed, shown] :
         {std::tuple{editor().Text1, "5", "10"}, std::tuple{editor().Text1, "35", "30"},
          std::tuple{editor().Text2, "201", "200"}, std::tuple{editor().Text2, "150.4", "150.4"}}) {
        typeInto(field, QString::fromLatin1(typed));
        focusOn(editor().TxG);
        QCOMPARE(field->text(), QString::fromLatin1(shown));
    }
    QCOMPARE(visibleBoxes(), 121); // 30..150
}

void EditorTest::repeatedToothCountTakesTheNextBox() {
    open({20, 30, 30});
    QCOMPARE(editor().Text2->text(), QStringLiteral("35"));
    QVERIFY(box(15)->isChecked() && box(16)->isChecked() && !box(17)->isChecked());
    QCOMPARE(box(16)->text(), QStringLiteral("30"));
    QCOMPARE(tickedCaptions(), (QStringList{"20", "30", "30"}));
    QCOMPARE(editor().LabSN->text(), QStringLiteral("3"));
}

void EditorTest::tickAllClearAllAndInvert() {
    open({20, 25, 30, 40, 50});
    setRange(QStringLiteral("15"), QStringLiteral("150"));
    click(editor().LabALLs);
    QCOMPARE(editor().LabSN->text(), QStringLiteral("136"));
    QCOMPARE(editor().LabALLs->text(), QStringLiteral("全清"));
    QCOMPARE(tickedCaptions().size(), 136);
    click(editor().LabALLs);
    QCOMPARE(editor().LabSN->text(), QStringLiteral("0"));
    QCOMPARE(editor().LabALLs->text(), QStringLiteral("全选"));
    for (int i = 0; i < 40; ++i) {
        click(box(i));
    }
    QCOMPARE(editor().LabSN->text(), QStringLiteral("40"));
    click(editor().LabFxz);
    QCOMPARE(editor().LabSN->text(), QStringLiteral("96"));
    QCOMPARE(tickedCaptions().front(), QStringLiteral("55"));
}

void EditorTest::captionEditorFollowsTheLastBox() {
    fixture_ =
        std::make_unique<WindowFixture>(std::vector<NewMachine>{{"M", 15, {20, 25, 30, 40, 50}}});
    QVERIFY(fixture_->showAndActivate());
    // Before any box is clicked, the caption editor edits box 0.
    fixture_->prompter().textAnswers.push_back(QStringLiteral("N"));
    click(fixture_->face().LabNewJc);
    QCOMPARE(fixture_->prompter().asked, QStringList{QStringLiteral("输入新的机床名称：")});
    typeInto(editor().TxG, QStringLiteral("77"));
    QCOMPARE(box(0)->text(), QStringLiteral("77"));
    click(editor().ImgQuitNew);
    QVERIFY(!editor().panel()->isVisible());
    QVERIFY(!fixture_->window().newMachineMode());

    click(fixture_->face().LabXgCsTab);
    click(box(3)); // 18, now ticked
    QCOMPARE(editor().TxG->text(), QStringLiteral("18"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(editor().TxG));
    QCOMPARE(editor().LabSN->text(), QStringLiteral("6"));
    typeInto(editor().TxG, QStringLiteral("300"));
    QCOMPARE(box(3)->text(), QStringLiteral("300"));
    focusOn(editor().Text1);
    QCOMPARE(editor().TxG->text(), QStringLiteral("255"));
    QCOMPARE(box(3)->text(), QStringLiteral("255"));
    typeInto(editor().TxG, QStringLiteral("abc"));
    focusOn(editor().Text1);
    QCOMPARE(box(3)->text(), QStringLiteral("10"));
}

QTEST_MAIN(EditorTest)
#include "editor_test.moc"
