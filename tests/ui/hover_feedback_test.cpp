// Hover feedback driven by real pointer moves over the window: which label turns red over
// which command, what turns it black again, and what leaves it as it is.

#include "bare_face.h"

#include "ui/clickable_label.h"
#include "ui/hover_feedback.h"
#include "ui/line_field.h"
#include "ui/picture_label.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTableWidget>

using namespace gearsel;
using namespace gearsel::testing;

namespace {

QColor colourOf(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

} // namespace

class HoverFeedbackTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void hoverTable_data();
    void hoverTable();
    void otherControlsChangeNothing();
    void panelSurfaceResetsOnlyItsOwnLabels();

private:
    // Moves the pointer onto a bare spot of the main panel, clear of every control.
    void moveOverBarePanel() {
        bare_->moveOver(face().Ped0, QPoint(face().scale().x(2000), face().scale().y(4450)));
    }
    MainFace& face() { return bare_->face; }
    std::unique_ptr<BareFace> bare_;
    std::unique_ptr<HoverFeedback> hover_;
};

void HoverFeedbackTest::init() {
    bare_ = std::make_unique<BareFace>();
    const QColor before = colourOf(face().LabCHOSE);
    hover_ = std::make_unique<HoverFeedback>(face());
    // Until the pointer first moves, the labels keep the colours of the layout.
    QCOMPARE(colourOf(face().LabCHOSE), before);
    QCOMPARE(colourOf(face().LabNewJc), kCommandRest);
    QVERIFY(bare_->show());
}

void HoverFeedbackTest::cleanup() {
    hover_.reset();
    bare_.reset();
}

void HoverFeedbackTest::hoverTable_data() {
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QString>("label");
    const char* table[][2] = {
        {"ComCHOSE", "LabCHOSE"},    {"LabCHOSE", "LabCHOSE"}, {"ComHelp", "LabHelp"},
        {"LabHelp", "LabHelp"},      {"ComSave", "LabSave"},   {"LabSave", "LabSave"},
        {"ImgPrint", "LabPrint"},    {"LabPrint", "LabPrint"}, {"ImaSM", "LabZCSM"},
        {"LabZCSM", "LabZCSM"},      {"LabExit", "LabExit"},   {"LabNewJc", "LabNewJc"},
        {"LabXgCsTab", "LabXgCsTab"}};
    for (const auto& row : table) {
        QTest::newRow(row[0]) << row[0] << row[1];
    }
}

void HoverFeedbackTest::hoverTable() {
    QFETCH(QString, trigger);
    QFETCH(QString, label);
    const QList<QLabel*> labels = {face().LabNewJc, face().LabXgCsTab, face().LabSave,
                                   face().LabHelp,  face().LabPrint,   face().LabCHOSE,
                                   face().LabZCSM,  face().LabExit};
    moveOverBarePanel();
    bare_->moveOver(bare_->window.findChild<QWidget*>(trigger));
    for (QLabel* each : labels) {
        QCOMPARE(colourOf(each), each->objectName() == label ? kCommandHover : kCommandRest);
    }
    moveOverBarePanel();
    for (QLabel* each : labels) {
        QCOMPARE(colourOf(each), kCommandRest);
    }
}

void HoverFeedbackTest::otherControlsChangeNothing() {
    MainFace& f = face();
    moveOverBarePanel();
    bare_->moveOver(f.ComExit);
    QCOMPARE(colourOf(f.LabExit), kCommandRest);
    bare_->moveOver(f.ComCHOSE);
    bare_->moveOver(f.LabCHOSE);
    const QList<QWidget*> others = {f.ImgBTZ,       f.ImgNewJc,     f.Imagenew, f.ImgEditZ,
                                    f.ImgEdbk,      f.Label1,       f.TSb,      f.Chk,
                                    f.GZ->widget(), f.GZs->widget()};
    for (QWidget* other : others) {
        bare_->moveOver(other, QPoint(3, other->height() / 2));
        QVERIFY2(colourOf(f.LabCHOSE) == kCommandHover, qPrintable(other->objectName()));
    }
    // Between the picture and its label lies bare panel.
    bare_->moveOver(f.Ped0, QPoint(f.scale().x(6170), f.scale().y(4700)));
    QCOMPARE(colourOf(f.LabCHOSE), kCommandRest);
}

void HoverFeedbackTest::panelSurfaceResetsOnlyItsOwnLabels() {
    // A panel with a picture command and its label, a command that is a plain widget, and a
    // text box, as the editor panel has.
    MainFace& f = face();
    const auto add = [&](QWidget* widget, int left, int top) {
        widget->setGeometry(f.scale().rect(left, top, 450, 240));
        return widget;
    };
    auto* picture = static_cast<PictureLabel*>(add(new PictureLabel(f.PedNewJC), 6225, 120));
    auto* save = static_cast<QLabel*>(add(new ClickableLabel(f.PedNewJC), 6675, 510));
    auto* invert = static_cast<QLabel*>(add(new ClickableLabel(f.PedNewJC), 4965, 315));
    QWidget* plain = add(new QWidget(f.PedNewJC), 4215, 300);
    QWidget* field = add(new QLineEdit(f.PedNewJC), 1260, 248);
    hover_->addCommand(picture, save);
    hover_->addCommand(plain, invert);
    hover_->addResetSurface(f.PedNewJC, {save, invert});
    bare_->moveOver(f.ComSave);
    f.PedNewJC->show();

    bare_->moveOver(picture);
    bare_->moveOver(field);
    QCOMPARE(colourOf(save), kCommandHover);
    bare_->moveOver(plain);
    QCOMPARE(colourOf(invert), kCommandHover);
    // The panel's rounded face takes no input: moving over it is moving over the panel.
    bare_->moveOver(f.PedNewJC, QPoint(f.PedNewJC->width() / 2, f.PedNewJC->height() - 20));
    QCOMPARE(colourOf(save), kCommandRest);
    QCOMPARE(colourOf(invert), kCommandRest);
    QCOMPARE(colourOf(f.LabSave), kCommandHover);
    // The margin around the panel is the main panel's own.
    bare_->moveOver(f.Ped0, QPoint(2, 2));
    QCOMPARE(colourOf(f.LabSave), kCommandRest);
}

QTEST_MAIN(HoverFeedbackTest)
#include "hover_feedback_test.moc"
