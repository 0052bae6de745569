// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_fixture.h"

#include "engine/formula_registry.h"
#include "lib_bytes.h"
#include "store/machine_store.h"
#include "ui/gear_set_editor.h"
#include "ui/ratio_helper.h"
#include "ui/suggestion_list.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace gearsel::testing {

namespace {

// Records a failure of the running test; the test goes on, so the state a question left
// behind can still be reported by the checks after it.
void failUnexpected(const QString& question) {
    QTest::qFail(qPrintable(QStringLiteral("unexpected question: ") + question), __FILE__,
                 __LINE__);
}

// The next scripted answer of a queue; an empty queue or a null string stands for Cancel.
std::optional<QString> nextAnswer(std::deque<QString>& answers) {
    if (answers.empty()) {
        return std::nullopt;
    }
    const QString answer = answers.front();
    answers.pop_front();
    if (answer.isNull()) {
        return std::nullopt;
    }
    return answer;
}

} // namespace

bool FakePrompter::askYesNo(const QString& text, Icon) {
    asked << text;
    if (yesNoAnswers.empty()) {
        failUnexpected(text);
        return false;
    }
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

std::optional<QString> FakePrompter::askText(const QString& prompt, const QString&) {
    asked << prompt;
    if (textAnswers.empty()) {
        failUnexpected(prompt);
    }
    return nextAnswer(textAnswers);
}

std::optional<QString> FakePrompter::askSavePath(const QString& title, const QString& defaultPath,
                                                 const QString&) {
    asked << title;
    suggestedPaths << defaultPath;
    if (savePaths.empty()) {
        failUnexpected(title);
    }
    return nextAnswer(savePaths);
}

QWidget* controlNamed(QWidget& window, const QString& name) {
    auto* control = window.findChild<QWidget*>(name);
    if (control == nullptr) {
        qFatal("the window has no control named %s", qPrintable(name));
    }
    return control;
}

namespace {

template <typename W> W* named(QWidget& window, const char* name) {
    auto* control = qobject_cast<W*>(controlNamed(window, QString::fromLatin1(name)));
    if (control == nullptr) {
        qFatal("the control %s is not a %s", name, W::staticMetaObject.className());
    }
    return control;
}

} // namespace

FaceControls::FaceControls(QWidget& w)
    : Ped0(named<QWidget>(w, "Ped0")), Mtype(named<QComboBox>(w, "Mtype")),
      TSb(named<QLineEdit>(w, "TSb")), Tzptj(named<QLineEdit>(w, "Tzptj")),
      Tns(named<QLineEdit>(w, "Tns")), Chk(named<QCheckBox>(w, "Chk")),
      CheckZ12(named<QCheckBox>(w, "CheckZ12")), GZ(named<QTableView>(w, "GZ")),
      GZs(named<QTableView>(w, "GZs")), ImgNewJc(named<QAbstractButton>(w, "ImgNewJc")),
      ComExit(named<QAbstractButton>(w, "ComExit")),
      ImgEditZ(named<QAbstractButton>(w, "ImgEditZ")),
      ImgPrint(named<QAbstractButton>(w, "ImgPrint")),
      ComSave(named<QAbstractButton>(w, "ComSave")), ComHelp(named<QAbstractButton>(w, "ComHelp")),
      ComCHOSE(named<QAbstractButton>(w, "ComCHOSE")), ImaSM(named<QAbstractButton>(w, "ImaSM")),
      LabBuy(named<QAbstractButton>(w, "LabBuy")), Label2(named<QAbstractButton>(w, "Label2")),
      LabNewJc(named<QLabel>(w, "LabNewJc")), LabExit(named<QLabel>(w, "LabExit")),
      LabXgCsTab(named<QLabel>(w, "LabXgCsTab")), LabPrint(named<QLabel>(w, "LabPrint")),
      LabSave(named<QLabel>(w, "LabSave")), LabHelp(named<QLabel>(w, "LabHelp")),
      LabCHOSE(named<QLabel>(w, "LabCHOSE")), LabZCSM(named<QLabel>(w, "LabZCSM")),
      Imagenew(named<QLabel>(w, "Imagenew")), ImgEdbk(named<QLabel>(w, "ImgEdbk")),
      ImgBTZ(named<QLabel>(w, "ImgBTZ")), Label1(named<QLabel>(w, "Label1")),
      Label3(named<QLabel>(w, "Label3")), Label4(named<QLabel>(w, "Label4")),
      Label6(named<QLabel>(w, "Label6")), Label8(named<QLabel>(w, "Label8")),
      LabN(named<QLabel>(w, "LabN")), LabSBFW(named<QLabel>(w, "LabSBFW")),
      LabSD(named<QLabel>(w, "LabSD")), PicZZJS(named<QWidget>(w, "PicZZJS")),
      ImgZZJS(named<QWidget>(w, "ImgZZJS")), Shape3(named<QWidget>(w, "Shape3")),
      PedNewJC(named<QWidget>(w, "PedNewJC")), Shape2(named<QWidget>(w, "Shape2")),
      PedHelp(named<QWidget>(w, "PedHelp")), Shape1(named<QWidget>(w, "Shape1")) {}

EditorControls::EditorControls(QWidget& w)
    : editor(named<GearSetEditor>(w, "PedNewJC")), PedNewJC(editor),
      Text1(named<QLineEdit>(w, "Text1")), Text2(named<QLineEdit>(w, "Text2")),
      TxG(named<QLineEdit>(w, "TxG")), LabALLs(named<QAbstractButton>(w, "LabALLs")),
      LabFxz(named<QAbstractButton>(w, "LabFxz")),
      ComNewJcQD(named<QAbstractButton>(w, "ComNewJcQD")),
      ImgQuitNew(named<QAbstractButton>(w, "ImgQuitNew")), LabSN(named<QLabel>(w, "LabSN")),
      LabSaveNewJC(named<QLabel>(w, "LabSaveNewJC")) {
    for (int i = 0; i < 211; ++i) {
        ZsS.push_back(named<QCheckBox>(w, qPrintable(QStringLiteral("ZsS_%1").arg(i))));
    }
}

int EditorControls::tickedCount() const {
    return editor->tickedCount();
}

std::vector<QString> EditorControls::tickedCaptions() const {
    return editor->tickedCaptions();
}

std::vector<std::int16_t> fourteenGears() {
    return {20, 25, 30, 35, 40, 45, 50, 55, 60, 70, 80, 90, 100, 120};
}

std::vector<NewMachine> numberedMachines(int count) {
    std::vector<NewMachine> machines;
    for (int i = 1; i <= count; ++i) {
        machines.push_back({"M" + std::to_string(i), 15, {20, 25, 30, 35, 40}});
    }
    return machines;
}

WindowFixture::WindowFixture(const std::vector<NewMachine>& machines, TwipsScale scale) {
    MachineStore::createFile(dataFile().toStdString(), machines);
    open(scale);
}

WindowFixture::WindowFixture(const std::string& fileBytes) {
    test::writeFile(dataFile().toStdString(), fileBytes);
    open(TwipsScale(15, 15));
}

void WindowFixture::open(TwipsScale scale) {
    scale_ = scale;
    window_ = std::make_unique<GearSel>(MachineStore::open(dataFile().toStdString(), lockWaits_),
                                        lockWaits_, prompter_, scale, RandomSource(12345));
    face_ = std::make_unique<FaceControls>(*window_);
    editor_ = std::make_unique<EditorControls>(*window_);
}

void WindowFixture::reopen() {
    editor_.reset();
    face_.reset();
    window_.reset();
    open(scale_);
}

RatioHelper* WindowFixture::ratioHelper() const {
    return window_->findChild<RatioHelper*>();
}

SuggestionList* WindowFixture::suggestionList() const {
    return window_->findChild<SuggestionList*>();
}

WindowFixture::~WindowFixture() = default;

QByteArray WindowFixture::fileBytes() const {
    QFile file(dataFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WindowFixture::showAndActivate() {
    window_->show();
    window_->activateWindow();
    const bool active = QTest::qWaitForWindowActive(window_.get());
    // The first search runs right after the activation has been handled.
    QCoreApplication::processEvents();
    return active;
}

void clickOn(QWidget* target, std::optional<QPoint> at) {
    QWidget* window = target->window();
    const QPoint point = at.value_or(QPoint(4, target->height() / 2));
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, target->mapTo(window, point));
}

void pressKey(QWidget* inWindow, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(inWindow->window()->windowHandle(), key, modifiers);
}

void typeKeys(QWidget* inWindow, const QString& ascii) {
    for (const QChar c : ascii) {
        QTest::keyClick(inWindow->window()->windowHandle(), c.toLatin1());
    }
}

void typeInto(QWidget* field, const QString& text) {
    focusOn(field);
    pressKey(field, Qt::Key_A, Qt::ControlModifier);
    pressKey(field, Qt::Key_Backspace);
    typeKeys(field, text);
}

void focusOn(QWidget* target) {
    clickOn(target);
}

void setOption(QCheckBox* box, bool checked) {
    if (box->isChecked() != checked) {
        clickOn(box);
    }
}

void chooseEntry(QComboBox* box, int index) {
    focusOn(box);
    for (int step = 0; step < box->count() && box->currentIndex() != index; ++step) {
        pressKey(box, box->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    }
}

void answerNextDialog(std::function<void(QWidget*)> answer) {
    QTimer::singleShot(10, [answer] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr || !QTest::qWaitForWindowActive(dialog)) {
            answerNextDialog(answer);
            return;
        }
        answer(dialog);
    });
}

int gridRows(const QTableView* grid) {
    return grid->model()->rowCount() + 1;
}

QString cellText(const QTableView* grid, int row, int col) {
    const QAbstractItemModel* model = grid->model();
    if (row == 0 && col == 0) {
        return grid->findChild<QLabel*>(QStringLiteral("corner"))->text();
    }
    if (row == 0) {
        return model->headerData(col - 1, Qt::Horizontal).toString();
    }
    if (col == 0) {
        return model->headerData(row - 1, Qt::Vertical).toString();
    }
    return model->index(row - 1, col - 1).data().toString();
}

QString cellToolTip(const QTableView* grid, int row, int col) {
    return grid->model()->index(row - 1, col - 1).data(Qt::ToolTipRole).toString();
}

QLineEdit* constantField(QWidget& helper, ConstantKey key) {
    return named<QLineEdit>(helper, constantName(key));
}

QWidget* formulaPage(QWidget& helper, Formula formula) {
    // The pages stand in the order of the formula registry.
    const auto& formulas = formulaRegistry();
    const auto at = std::find_if(formulas.begin(), formulas.end(),
                                 [formula](const auto& entry) { return entry.formula == formula; });
    return named<QTabWidget>(helper, "pages")->widget(static_cast<int>(at - formulas.begin()));
}

QLineEdit* formulaField(QWidget& helper, Formula formula, int index) {
    return named<QLineEdit>(*formulaPage(helper, formula),
                            qPrintable(QStringLiteral("field%1").arg(index)));
}

QGroupBox* constantsBox(QWidget& helper) {
    return named<QGroupBox>(helper, "ConstantsBox");
}

QLabel* resultLine(QWidget& helper) {
    return named<QLabel>(helper, "result");
}

QAbstractButton* okButton(QWidget& helper) {
    return named<QAbstractButton>(helper, "ok");
}

int workOutHobbingChart(RatioHelper& helper) {
    QTabBar* tabs = helper.findChild<QTabWidget*>(QStringLiteral("pages"))->tabBar();
    clickOn(tabs, tabs->tabRect(tabs->count() - 1).center());
    clickOn(helper.findChild<QWidget*>(QStringLiteral("hobIndex")));
    typeInto(helper.findChild<QSpinBox*>(QStringLiteral("firstTeeth")), QStringLiteral("20"));
    typeInto(helper.findChild<QSpinBox*>(QStringLiteral("lastTeeth")), QStringLiteral("25"));
    clickOn(helper.findChild<QPushButton*>(QStringLiteral("generate")));
    return helper.findChild<QTableView*>(QStringLiteral("chartTable"))->model()->rowCount();
}

} // namespace gearsel::testing
