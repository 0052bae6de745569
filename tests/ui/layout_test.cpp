// SPDX-License-Identifier: GPL-3.0-or-later
// The main face as a user sees it: where every control stands at two screen resolutions, its
// texts and colours, the focus order and which panel lies in front.

#include "window_fixture.h"

#include "ui/command_button.h"
#include "ui/picture_label.h"
#include "ui/shape_widget.h"
#include "ui/ui_style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

using namespace gearsel;
using namespace gearsel::testing;

class LayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void geometry();
    void textsColoursAndPictures();
    void focusOrder();
    void coloursOnTheScreen();
    void panelsStackAndStartHidden();
    // Last: the substitutions it installs hold for the rest of the program.
    void fontsFindASongAndASansFace();

private:
    static std::vector<NewMachine> machines() { return {{"CA6140", 15, fourteenGears()}}; }
};

void LayoutTest::geometry() {
    // Pixel rectangles at 15 twips per pixel (96 dpi) and at 12 (120 dpi): the same twips,
    // more pixels; the panel margins stay 16 pixels.
    struct Row {
        int twipsPerPixel;
        const char* control;
        QRect expected;
    };
    const Row rows[] = {{15, "GearSel", {0, 0, 576, 380}},    {15, "ImgNewJc", {30, 28, 53, 38}},
                        {15, "ImgBTZ", {178, 30, 254, 43}},   {15, "TSb", {337, 91, 73, 21}},
                        {15, "GZ", {137, 172, 403, 119}},     {15, "ComCHOSE", {361, 307, 48, 48}},
                        {15, "PicZZJS", {188, 213, 257, 50}}, {15, "PedNewJC", {17, 16, 542, 348}},
                        {15, "Shape2", {1, 1, 540, 346}},     {12, "GearSel", {0, 0, 720, 475}},
                        {12, "ImgNewJc", {38, 35, 66, 48}},   {12, "GZ", {171, 215, 504, 149}},
                        {12, "PedNewJC", {22, 16, 677, 443}}, {12, "Shape1", {1, 1, 675, 441}}};
    for (int scale : {15, 12}) {
        WindowFixture fixture(machines(), TwipsScale(scale, scale));
        for (const Row& row : rows) {
            if (row.twipsPerPixel != scale) {
                continue;
            }
            const QString name = QString::fromLatin1(row.control);
            QWidget* widget =
                name == "GearSel" ? &fixture.window() : fixture.window().findChild<QWidget*>(name);
            QVERIFY2(widget != nullptr, row.control);
            const QRect actual =
                name == "GearSel" ? QRect(QPoint(0, 0), widget->size()) : widget->geometry();
            QVERIFY2(actual == row.expected,
                     qPrintable(QStringLiteral("%1 at %2").arg(name).arg(scale)));
        }
    }
}

void LayoutTest::textsColoursAndPictures() {
    // Every picture loads; the options start ticked; the starting ratio is drawn at random
    // from 0.1 to 1.1 and shown with five decimals.
    WindowFixture fixture(machines());
    FaceControls& f = fixture.face();
    QVERIFY(f.Chk->isChecked() && f.CheckZ12->isChecked());
    for (auto* picture : fixture.window().findChildren<PictureLabel*>()) {
        QVERIFY2(!picture->pixmap().isNull(), qPrintable(picture->objectName()));
    }
    for (auto* command : fixture.window().findChildren<CommandButton*>()) {
        if (!command->picture().isEmpty()) {
            QVERIFY2(!renderPicture(command->picture(), command->size()).isNull(),
                     qPrintable(command->objectName()));
        }
    }
    QVERIFY(!fixture.window().windowIcon().isNull());
    const QString text = f.TSb->text();
    QVERIFY2(QRegularExpression("^[01]\\.\\d{5}$").match(text).hasMatch(), qPrintable(text));
    QVERIFY(text.toDouble() >= 0.1 && text.toDouble() <= 1.1);
}

void LayoutTest::focusOrder() {
    WindowFixture fixture(machines());
    QVERIFY(fixture.showAndActivate());
    FaceControls& f = fixture.face();
    focusOn(f.Tzptj);
    const QList<QWidget*> expected = {f.Chk, f.Tns, f.Mtype, f.TSb, f.GZ, f.GZs, f.CheckZ12};
    for (QWidget* next : expected) {
        pressKey(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        // The machine box takes the focus in its text part.
        if (focused != nullptr && focused->parentWidget() == f.Mtype) {
            focused = f.Mtype;
        }
        QCOMPARE(focused, next);
    }
}

void LayoutTest::coloursOnTheScreen() {
    // Read off a picture of the window, as a person sees it: the option boxes in the panel's
    // colour, and each grid's own colour where it has no cells.
    WindowFixture fixture({{"Three", 15, {20, 30, 40}}});
    QVERIFY(fixture.showAndActivate());
    FaceControls& f = fixture.face();
    // At start-up the first field has the focus with its text selected, ready to be typed over.
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.Tzptj));
    QCOMPARE(f.Tzptj->selectedText(), f.Tzptj->text());
    typeInto(f.Tns, QStringLiteral("2"));
    focusOn(f.TSb);
    const QImage shot = fixture.window().grab().toImage();
    const auto colourAt = [&](QWidget* widget, QPoint point) {
        return QColor(shot.pixel(widget->mapTo(&fixture.window(), point)));
    };
    // A field, and the cells of both grids.
    QCOMPARE(colourAt(f.TSb, QPoint(3, 3)), QColor(208, 255, 224));
    for (const auto& [table, colour] :
         {std::pair<QTableView*, QColor>{f.GZ, QColor(224, 255, 224)},
          std::pair<QTableView*, QColor>{f.GZs, QColor(255, 255, 208)}}) {
        const QRect cell = table->visualRect(table->model()->index(0, 0));
        QCOMPARE(colourAt(table->viewport(), cell.topLeft() + QPoint(2, 2)), colour);
    }
    for (QCheckBox* box : {f.Chk, f.CheckZ12}) {
        QCOMPARE(colourAt(box, QPoint(box->width() - 3, box->height() / 2)), QColor(208, 255, 255));
    }
    for (const auto& [table, rows, colour] :
         {std::tuple<QTableView*, int, QColor>{f.GZs, 3, QColor(192, 255, 255)},
          std::tuple<QTableView*, int, QColor>{f.GZ, 2, QColor(208, 255, 255)}}) {
        QCOMPARE(table->model()->rowCount(), rows);
        const QRect last = table->visualRect(table->model()->index(rows - 1, 0));
        QWidget* area = table->viewport();
        QVERIFY(last.bottom() + 10 < area->height());
        QCOMPARE(colourAt(area, QPoint(last.center().x(), last.bottom() + 8)), colour);
        QCOMPARE(colourAt(area, QPoint(area->width() - 2, area->height() - 2)), colour);
        // The fixed column below its last row, and the heading row beside its last column.
        QWidget* side = table->verticalHeader();
        QCOMPARE(colourAt(side, QPoint(side->width() / 2, side->height() - 2)), colour);
        QWidget* top = table->horizontalHeader();
        QCOMPARE(colourAt(top, QPoint(top->width() - 2, top->height() / 2)), colour);
    }
}

void LayoutTest::panelsStackAndStartHidden() {
    WindowFixture fixture(machines());
    FaceControls& f = fixture.face();
    const QObjectList children = f.Ped0->children();
    const auto depth = [&](QWidget* w) { return children.indexOf(w); };
    // The notice of a wait for another program lies over everything, the editor's save
    // included.
    QWidget* lockWait = controlNamed(fixture.window(), QStringLiteral("lockWait"));
    QVERIFY(depth(lockWait) > depth(f.PicZZJS));
    QVERIFY(depth(f.PicZZJS) > depth(f.PedNewJC));
    QVERIFY(depth(f.PedNewJC) > depth(f.PedHelp));
    for (QObject* child : children) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && widget != lockWait && widget != f.PicZZJS &&
            widget != f.PedNewJC && widget != f.PedHelp) {
            QVERIFY2(depth(widget) < depth(f.PedHelp), qPrintable(widget->objectName()));
        }
    }
    QVERIFY(f.PicZZJS->isHidden() && f.PedNewJC->isHidden() && f.PedHelp->isHidden() &&
            lockWait->isHidden());
    // Inside the computing notice the frame lies over the picture.
    const QObjectList notice = f.PicZZJS->children();
    QVERIFY(notice.indexOf(static_cast<QObject*>(f.Shape3)) >
            notice.indexOf(static_cast<QObject*>(f.ImgZZJS)));
}

void LayoutTest::fontsFindASongAndASansFace() {
    // The install script brings a Song face; 宋体 must find it before any sans face, and 黑体
    // a sans face.
    style::installFontSubstitutions();
    QCOMPARE(QFontInfo(style::song(9)).family(), QStringLiteral("AR PL UMing CN"));
    const QString hei = QFontInfo(QFont(QStringLiteral("黑体"))).family();
    QVERIFY2(hei.contains(QStringLiteral("Hei")) || hei.contains(QStringLiteral("Sans")),
             qPrintable(hei));
}

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
