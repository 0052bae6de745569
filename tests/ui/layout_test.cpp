// The main face as a user sees it: where every control stands at two screen resolutions, its
// texts and colours, the focus order and which panel lies in front.

#include "window_fixture.h"

#include "ui/clickable_label.h"
#include "ui/line_field.h"
#include "ui/picture_label.h"
#include "ui/shape_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTableWidget>
#include <QTest>

using namespace gearsel;
using namespace gearsel::testing;

class LayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void geometry_data();
    void geometry();
    void textsAndTooltips();
    void colours();
    void focusOrder();
    void panelsStackAndStartHidden();
    void startingRatioHasFiveDecimals();
    void picturesAreLoaded();

private:
    static std::vector<NewMachine> machines() { return {{"CA6140", 15, fourteenGears()}}; }
};

void LayoutTest::geometry_data() {
    QTest::addColumn<int>("twipsPerPixel");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("expected");
    // Pixel rectangles at 15 twips per pixel (96 dpi) ...
    QTest::newRow("15/window") << 15 << "GearSel" << QRect(0, 0, 576, 380);
    QTest::newRow("15/ImgNewJc") << 15 << "ImgNewJc" << QRect(30, 28, 53, 38);
    QTest::newRow("15/ImgBTZ") << 15 << "ImgBTZ" << QRect(178, 30, 254, 43);
    QTest::newRow("15/TSb") << 15 << "TSb" << QRect(337, 91, 73, 21);
    QTest::newRow("15/GZ") << 15 << "GZ" << QRect(137, 172, 403, 119);
    QTest::newRow("15/ComCHOSE") << 15 << "ComCHOSE" << QRect(361, 307, 48, 48);
    QTest::newRow("15/PicZZJS") << 15 << "PicZZJS" << QRect(188, 213, 257, 50);
    QTest::newRow("15/PedNewJC") << 15 << "PedNewJC" << QRect(17, 16, 542, 348);
    QTest::newRow("15/Shape2") << 15 << "Shape2" << QRect(1, 1, 540, 346);
    // ... and at 12 twips per pixel (120 dpi): the same twips, more pixels; the panel
    // margins stay 16 pixels.
    QTest::newRow("12/window") << 12 << "GearSel" << QRect(0, 0, 720, 475);
    QTest::newRow("12/ImgNewJc") << 12 << "ImgNewJc" << QRect(38, 35, 66, 48);
    QTest::newRow("12/GZ") << 12 << "GZ" << QRect(171, 215, 504, 149);
    QTest::newRow("12/PedNewJC") << 12 << "PedNewJC" << QRect(22, 16, 677, 443);
    QTest::newRow("12/Shape1") << 12 << "Shape1" << QRect(1, 1, 675, 441);
}

void LayoutTest::geometry() {
    QFETCH(int, twipsPerPixel);
    QFETCH(QString, control);
    QFETCH(QRect, expected);
    WindowFixture fixture(machines(), TwipsScale(twipsPerPixel, twipsPerPixel));
    QWidget* widget =
        control == "GearSel" ? &fixture.window() : fixture.window().findChild<QWidget*>(control);
    QVERIFY2(widget != nullptr, qPrintable(control));
    const QRect actual =
        control == "GearSel" ? QRect(QPoint(0, 0), widget->size()) : widget->geometry();
    QCOMPARE(actual, expected);
}

void LayoutTest::textsAndTooltips() {
    // A sample of the texts: the window's title, a caption, a check box and the machine box,
    // whose tooltip states the rule for renaming and deleting.
    WindowFixture fixture(machines());
    MainFace& f = fixture.face();
    QCOMPARE(fixture.window().windowTitle(), QStringLiteral("Tolvanik"));
    QCOMPARE(f.LabNewJc->toolTip(), QStringLiteral("点这里可以新增一个机床型号的挂轮表"));
    QCOMPARE(f.Chk->text(), QStringLiteral("允许重复选择："));
    QVERIFY(f.Chk->isChecked() && f.CheckZ12->isChecked());
    QCOMPARE(
        f.Mtype->toolTip(),
        QStringLiteral("修改名称后按“回车”键将另存为一个新的挂轮表，名称改为空白后将删除该挂轮表"));
    QCOMPARE(f.TSb->alignment(), Qt::AlignCenter);
    QCOMPARE(f.TSb->font().pointSizeF(), 10.5);
    QCOMPARE(f.Label1->font().pointSizeF(), 9.0);
}

void LayoutTest::colours() {
    WindowFixture fixture(machines());
    MainFace& f = fixture.face();
    QCOMPARE(f.TSb->palette().color(QPalette::Base), QColor(208, 255, 224));
    QCOMPARE(f.GZ->widget()->item(0, 0)->background().color(), QColor(224, 255, 224));
    QCOMPARE(f.GZs->widget()->item(0, 0)->foreground().color(), QColor(0, 0, 192));
    QCOMPARE(f.GZs->widget()->palette().color(QPalette::Base), QColor(192, 255, 255));
}

void LayoutTest::focusOrder() {
    WindowFixture fixture(machines());
    QVERIFY(fixture.showAndActivate());
    MainFace& f = fixture.face();
    focusOn(f.Tzptj);
    const QList<QWidget*> expected = {f.Chk,          f.Tns,           f.Mtype,   f.TSb,
                                      f.GZ->widget(), f.GZs->widget(), f.CheckZ12};
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        // The machine box takes the focus in its text part.
        if (focused != nullptr && focused->parentWidget() == f.Mtype) {
            focused = f.Mtype;
        }
        QCOMPARE(focused, next);
    }
}

void LayoutTest::panelsStackAndStartHidden() {
    WindowFixture fixture(machines());
    MainFace& f = fixture.face();
    const QObjectList children = f.Ped0->children();
    const auto depth = [&](QWidget* w) { return children.indexOf(w); };
    QVERIFY(depth(f.PicZZJS) > depth(f.PedNewJC));
    QVERIFY(depth(f.PedNewJC) > depth(f.PedHelp));
    for (QObject* child : children) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && widget != f.PicZZJS && widget != f.PedNewJC &&
            widget != f.PedHelp) {
            QVERIFY2(depth(widget) < depth(f.PedHelp), qPrintable(widget->objectName()));
        }
    }
    QVERIFY(f.PicZZJS->isHidden() && f.PedNewJC->isHidden() && f.PedHelp->isHidden());
    // Inside the computing notice the frame lies over the picture.
    const QObjectList notice = f.PicZZJS->children();
    QVERIFY(notice.indexOf(static_cast<QObject*>(f.Shape3)) >
            notice.indexOf(static_cast<QObject*>(f.ImgZZJS)));
}

void LayoutTest::startingRatioHasFiveDecimals() {
    WindowFixture fixture(machines());
    const QString text = fixture.face().TSb->text();
    QVERIFY2(QRegularExpression("^[01]\\.\\d{5}$").match(text).hasMatch(), qPrintable(text));
    QVERIFY(text.toDouble() >= 0.1 && text.toDouble() <= 1.1);
}

void LayoutTest::picturesAreLoaded() {
    WindowFixture fixture(machines());
    for (auto* picture : fixture.window().findChildren<PictureLabel*>()) {
        QVERIFY2(!picture->pixmap().isNull(), qPrintable(picture->objectName()));
    }
    QVERIFY(!fixture.window().windowIcon().isNull());
}

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
