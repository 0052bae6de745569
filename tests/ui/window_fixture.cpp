// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_fixture.h"

#include "lib_bytes.h"
#include "store/machine_store.h"
#include "ui/ratio_helper.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
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
    window_ = std::make_unique<GearSel>(MachineStore::open(dataFile().toStdString(), fileSystem_),
                                        prompter_, scale, RandomSource(12345));
}

void WindowFixture::reopen() {
    const TwipsScale scale = window_->face().scale();
    window_.reset();
    open(scale);
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

int workOutHobbingChart(RatioHelper& helper) {
    QTabBar* tabs = helper.pages().tabBar();
    clickOn(tabs, tabs->tabRect(tabs->count() - 1).center());
    clickOn(helper.findChild<QWidget*>(QStringLiteral("hobIndex")));
    typeInto(helper.findChild<QSpinBox*>(QStringLiteral("firstTeeth")), QStringLiteral("20"));
    typeInto(helper.findChild<QSpinBox*>(QStringLiteral("lastTeeth")), QStringLiteral("25"));
    clickOn(helper.findChild<QPushButton*>(QStringLiteral("generate")));
    return helper.findChild<QTableWidget*>(QStringLiteral("chartTable"))->rowCount();
}

} // namespace gearsel::testing
