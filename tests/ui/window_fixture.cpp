#include "window_fixture.h"

#include "store/machine_store.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace gearsel::testing {

namespace {

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
        return false;
    }
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

std::optional<QString> FakePrompter::askText(const QString& prompt, const QString&) {
    asked << prompt;
    return nextAnswer(textAnswers);
}

std::optional<QString> FakePrompter::askSavePath(const QString& title, const QString& defaultPath,
                                                 const QString&) {
    asked << title;
    suggestedPaths << defaultPath;
    return nextAnswer(savePaths);
}

std::vector<std::int16_t> fourteenGears() {
    return {20, 25, 30, 35, 40, 45, 50, 55, 60, 70, 80, 90, 100, 120};
}

WindowFixture::WindowFixture(const std::vector<NewMachine>& machines, TwipsScale scale) {
    MachineStore::createFile(dataFile().toStdString(), machines);
    window_ = std::make_unique<GearSel>(MachineStore::open(dataFile().toStdString(), fileSystem_),
                                        prompter_, scale, RandomSource(12345));
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

void typeInto(QWidget* field, const QString& text) {
    focusOn(field);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->selectAll();
    }
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

void focusOn(QWidget* target) {
    target->setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents();
}

} // namespace gearsel::testing
