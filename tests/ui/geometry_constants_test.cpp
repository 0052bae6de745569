// SPDX-License-Identifier: GPL-3.0-or-later
// The machine's geometry in the ratio helper's constants box: shown as kept, reached by Tab,
// refused as the command line refuses it without a write, kept without touching the other
// constants, and used at once by the result grid's tooltips and the picture of a train.
//
// The geometry "module 2, D = 90, the stud 40 to 45 mm from the output shaft" on the gears
// 20 25 30 40 50 is worked by hand in fit_picture_test.cpp: for 4/5, 20/25 has no idler that
// the slot holds (装不上：无合适惰轮) and 40/50 meshes directly (装得上). With D = 91 and the
// stud at most 5 mm from the output shaft nothing fits: no two gears add up to 91, and a stud
// stands at least 20 + 20 = 40 mm from it.

#include "window_fixture.h"

#include "engine/train_constants.h"
#include "store/machine_store.h"
#include "ui/fit_picture_dialog.h"
#include "ui/geometry_fields.h"
#include "ui/ratio_helper.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

using namespace gearsel;
using namespace gearsel::testing;

namespace {

std::vector<std::int16_t> fitGears() {
    return {20, 25, 30, 40, 50};
}

// Every constant a machine keeps, set through the texts the command line takes.
MachineConstants constantsOf(const std::vector<std::pair<TrainConstantKey, std::string>>& train,
                             const std::vector<std::pair<ConstantKey, std::string>>& formulas) {
    MachineConstants constants;
    for (const auto& [key, text] : train) {
        if (setTrainConstantText(constants, key, text)) {
            throw std::invalid_argument("bad test constant " + text);
        }
    }
    for (const auto& [key, text] : formulas) {
        setConstantText(constants, key, text);
    }
    return constants;
}

// All of a machine's constants as texts, "-" for an unknown one, in one line to compare.
QString allTexts(const MachineConstants& constants) {
    QStringList texts;
    for (const ConstantKey key : kConstantKeys) {
        texts << QString::fromStdString(constantText(constants, key).value_or("-"));
    }
    for (const TrainConstantKey key : kTrainConstantKeys) {
        texts << QString::fromStdString(constantText(constants, key).value_or("-"));
    }
    return texts.join(QLatin1Char(' '));
}

} // namespace

class GeometryConstantsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void fieldsShowTheKeptGeometryAndTakeTabInOrder();
    void savingKeepsEveryConstantTheFieldsDoNotChange();
    void badValuesAreRefusedInOneMessageAndNothingIsSaved_data();
    void badValuesAreRefusedInOneMessageAndNothingIsSaved();
    void aSavedGeometryReachesTheGridAndThePicture();

private:
    std::unique_ptr<WindowFixture> fixture_;
    FaceControls& face() { return fixture_->face(); }
    RatioHelper* openHelper();
    QLineEdit* field(TrainConstantKey key);
    void keep();
    void close();
    MachineConstants stored(int machine) {
        return MachineStore::open(fixture_->dataFile().toStdString()).constants(machine);
    }
};

void GeometryConstantsTest::init() {
    const MachineConstants full =
        constantsOf({{TrainConstantKey::Module, "2"},
                     {TrainConstantKey::Centre, "90"},
                     {TrainConstantKey::Stud, "40-45"},
                     {TrainConstantKey::Pairs, "2"},
                     {TrainConstantKey::UseOnce, "no"},
                     {TrainConstantKey::GearboxPositions, "A=1,B=2"}},
                    {{ConstantKey::Leadscrew, "6mm"}, {ConstantKey::IndexConstant, "24"}});
    const MachineConstants other = constantsOf({{TrainConstantKey::DiametralPitch, "24"},
                                                {TrainConstantKey::Centre, "120"},
                                                {TrainConstantKey::MaxDiameter, "200"}},
                                               {{ConstantKey::HeadRatio, "40"}});
    fixture_ =
        std::make_unique<WindowFixture>(std::vector<NewMachine>{{"Full", 15, fitGears(), full},
                                                                {"Other", 15, fitGears(), other},
                                                                {"Plain", 15, fitGears()}});
    QVERIFY(fixture_->showAndActivate());
    fixture_->prompter().informed.clear();
}

void GeometryConstantsTest::cleanup() {
    if (auto* dialog = fixture_->window().findChild<FitPictureDialog*>()) {
        dialog->reject();
    }
    QCOMPARE(fixture_->prompter().asked, QStringList());
    fixture_.reset();
}

RatioHelper* GeometryConstantsTest::openHelper() {
    clickOn(face().Label2);
    RatioHelper* helper = fixture_->ratioHelper();
    return helper != nullptr && QTest::qWaitForWindowExposed(helper) ? helper : nullptr;
}

QLineEdit* GeometryConstantsTest::field(TrainConstantKey key) {
    return qobject_cast<QLineEdit*>(
        controlNamed(*fixture_->ratioHelper(), QString::fromLatin1(constantName(key))));
}

void GeometryConstantsTest::keep() {
    clickOn(controlNamed(*fixture_->ratioHelper(), QStringLiteral("keepConstants")));
}

void GeometryConstantsTest::close() {
    clickOn(controlNamed(*fixture_->ratioHelper(), QStringLiteral("close")));
    QTRY_VERIFY(!fixture_->ratioHelper()->isVisible());
}

void GeometryConstantsTest::fieldsShowTheKeptGeometryAndTakeTabInOrder() {
    QVERIFY(openHelper() != nullptr);
    QStringList shown;
    for (const TrainConstantKey key : GeometryFields::kKeys) {
        shown << field(key)->text();
        QVERIFY(!field(key)->accessibleName().isEmpty());
    }
    QCOMPARE(shown, (QStringList{"2", "", "90", "40-45", ""}));

    // From the last formula constant, Tab walks the geometry and then reaches the command.
    focusOn(constantField(*fixture_->ratioHelper(), ConstantKey::HeadRatio));
    QStringList walked;
    for (int step = 0; step < 6; ++step) {
        pressKey(fixture_->ratioHelper(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked,
             (QStringList{"module", "dp", "centre", "stud", "max_diameter", "keepConstants"}));
    close();

    // A diametral pitch comes back as one; the helper follows the machine chosen meanwhile
    // and a geometry that another program kept meanwhile.
    chooseEntry(face().Mtype, 1);
    QVERIFY(openHelper() != nullptr);
    QCOMPARE(field(TrainConstantKey::Module)->text(), QString());
    QCOMPARE(field(TrainConstantKey::DiametralPitch)->text(), QStringLiteral("24"));
    QCOMPARE(field(TrainConstantKey::MaxDiameter)->text(), QStringLiteral("200"));
    close();
    MachineConstants changed = stored(1);
    QVERIFY(!setTrainConstantText(changed, TrainConstantKey::Stud, "30-60"));
    MachineStore::open(fixture_->dataFile().toStdString()).setConstants(1, changed);
    QVERIFY(openHelper() != nullptr);
    QCOMPARE(field(TrainConstantKey::Stud)->text(), QStringLiteral("30-60"));
    // Kept again from the helper, the other program's stud stays.
    typeInto(field(TrainConstantKey::Centre), QStringLiteral("121"));
    keep();
    QCOMPARE(stored(1).stud, (std::optional<StudRange>{{30.0, 60.0}}));
    QCOMPARE(stored(1).centre, std::optional<double>(121.0));
    QCOMPARE(fixture_->prompter().informed,
             QStringList{QStringLiteral("已保存机床“Other”的常数。")});
}

void GeometryConstantsTest::savingKeepsEveryConstantTheFieldsDoNotChange() {
    const QString otherBefore = allTexts(stored(1));
    QVERIFY(openHelper() != nullptr);
    typeInto(field(TrainConstantKey::Centre), QStringLiteral("91"));
    typeInto(field(TrainConstantKey::Stud), QStringLiteral(" 0 - 5 "));
    keep();
    QCOMPARE(fixture_->prompter().informed,
             QStringList{QStringLiteral("已保存机床“Full”的常数。")});
    // Leadscrew, gearbox, K, C, N, module, dp, centre, stud, max_diameter, pairs, first, last,
    // use_once, gearbox_positions: the two rules that read as their defaults stay as kept.
    QCOMPARE(allTexts(stored(0)), QStringLiteral("6mm - 24 - - 2 - 91 0-5 - 2 - - no A=1,B=2"));
    QCOMPARE(allTexts(stored(1)), otherBefore);

    // A module typed over a kept diametral pitch replaces it; a field emptied forgets its value.
    close();
    chooseEntry(face().Mtype, 1);
    QVERIFY(openHelper() != nullptr);
    typeInto(field(TrainConstantKey::DiametralPitch), QString());
    typeInto(field(TrainConstantKey::Module), QStringLiteral("1.25"));
    typeInto(field(TrainConstantKey::MaxDiameter), QString());
    keep();
    QCOMPARE(allTexts(stored(1)), QStringLiteral("- - - - 40 1.25 - 120 - - - - - - -"));
}

void GeometryConstantsTest::badValuesAreRefusedInOneMessageAndNothingIsSaved_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("module 0") << "module"
                              << "0"
                              << "机床常数“模数 m”的值“0”不能使用：模数必须大于 0 且不超过 "
                                 "1000000，这里是 0。";
    QTest::newRow("module and dp") << "dp"
                                   << "24"
                                   << "“模数 m”和“径节 DP”只能填一个：径节 DP = 25.4 / 模数 m。";
    QTest::newRow("centre not a number")
        << "centre"
        << "9o"
        << "机床常数“中心距 D”的值“9o”不能使用：中心距应是以 mm 计的小数，如 1.5。";
    QTest::newRow("stud reversed")
        << "stud"
        << "50-40"
        << "机床常数“中间轴距离”的值“50-40”不能使用：中间轴的最小距离 50 大于它的最大距离。";
    QTest::newRow("stud one number")
        << "stud"
        << "45"
        << "机床常数“中间轴距离”的值“45”不能使用：中间轴到从动轴的距离应写作“最小-最大”，以 mm "
           "计，如 45-95。";
    QTest::newRow("cover too wide")
        << "max_diameter"
        << "1000001"
        << "机床常数“罩下最大外径”的值“1000001”不能使用：罩下最大外径必须大于 0 且不超过 "
           "1000000，这里是 1000001。";
}

void GeometryConstantsTest::badValuesAreRefusedInOneMessageAndNothingIsSaved() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, message);
    const QByteArray before = fixture_->fileBytes();
    const QString kept = allTexts(stored(0));
    RatioHelper* helper = openHelper();
    QVERIFY(helper != nullptr);
    // A good value typed beside the bad one is not saved either.
    typeInto(constantField(*helper, ConstantKey::IndexConstant), QStringLiteral("30"));
    typeInto(controlNamed(*helper, name), text);
    keep();
    QCOMPARE(fixture_->prompter().informed, QStringList{message});
    QCOMPARE(allTexts(stored(0)), kept);
    QCOMPARE(fixture_->fileBytes(), before);
    QVERIFY(helper->isVisible());
}

void GeometryConstantsTest::aSavedGeometryReachesTheGridAndThePicture() {
    chooseEntry(face().Mtype, 2);
    setOption(face().Chk, false);
    face().Tns->setText(QStringLiteral("4"));
    face().TSb->setText(QStringLiteral("0.8"));
    clickOn(face().ComCHOSE);
    QCOMPARE(cellText(face().GZ, 1, 1).trimmed(), QStringLiteral("20"));
    const QString exact = QStringLiteral("速比分数 4/5，与要求速比完全相同（精确）");
    QCOMPARE(cellToolTip(face().GZ, 1, 1), exact);

    QVERIFY(openHelper() != nullptr);
    typeInto(field(TrainConstantKey::Module), QStringLiteral("2"));
    typeInto(field(TrainConstantKey::Centre), QStringLiteral("90"));
    typeInto(field(TrainConstantKey::Stud), QStringLiteral("40-45"));
    keep();
    close();
    // The same rows, now saying whether they fit.
    QCOMPARE(cellText(face().GZ, 2, 1).trimmed(), QStringLiteral("40"));
    QCOMPARE(cellToolTip(face().GZ, 1, 1), exact + QStringLiteral("\n装不上：无合适惰轮"));
    QCOMPARE(cellToolTip(face().GZ, 2, 3), exact + QStringLiteral("\n装得上"));

    fixture_->window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fixture_->window()));
    focusOn(face().GZ);
    pressKey(face().GZ, Qt::Key_G, Qt::ControlModifier);
    FitPictureDialog* dialog = nullptr;
    QTRY_VERIFY((dialog = fixture_->window().findChild<FitPictureDialog*>()) != nullptr &&
                dialog->isVisible());
    const QString caption =
        controlNamed(*dialog, QStringLiteral("fitPicture"))->accessibleDescription();
    QVERIFY2(caption.contains(QStringLiteral("中心距 D = 90 mm")), qPrintable(caption));
    QVERIFY(controlNamed(*dialog, QStringLiteral("fitOnly"))->isEnabled());

    // Only trains that fit, then a geometry where none does: the list is searched again.
    setOption(qobject_cast<QCheckBox*>(controlNamed(*dialog, QStringLiteral("fitOnly"))), true);
    pressKey(dialog, Qt::Key_Escape);
    QTRY_VERIFY(!dialog->isVisible());
    QCOMPARE(cellText(face().GZ, 1, 1).trimmed(), QStringLiteral("40"));
    fixture_->prompter().informed.clear();
    QVERIFY(openHelper() != nullptr);
    typeInto(field(TrainConstantKey::Centre), QStringLiteral("91"));
    typeInto(field(TrainConstantKey::Stud), QStringLiteral("0-5"));
    keep();
    QCOMPARE(gridRows(face().GZ), 1);
    // Without a geometry every train is listed again, without a word on fitting.
    for (const TrainConstantKey key : GeometryFields::kKeys) {
        typeInto(field(key), QString());
    }
    keep();
    close();
    QCOMPARE(gridRows(face().GZ), 5);
    QCOMPARE(cellToolTip(face().GZ, 1, 1), exact);
    QCOMPARE(fixture_->prompter().informed,
             QStringList(2, QStringLiteral("已保存机床“Plain”的常数。")));
}

QTEST_MAIN(GeometryConstantsTest)
#include "geometry_constants_test.moc"
