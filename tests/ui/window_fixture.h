#pragma once
// A real window on a temporary system.lib, with a scripted stand-in for the dialogs.

#include "faulty_file_system.h"
#include "store/new_machine.h"
#include "ui/gear_sel.h"
#include "ui/main_face.h"
#include "ui/prompter.h"

#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <memory>

class QWidget;

namespace gearsel::testing {

// Answers dialogs from queues and records what it was asked; a dialog that nobody scripted
// is recorded too, so a test can fail on it.
class FakePrompter : public Prompter {
public:
    void inform(const QString& text) override { informed << text; }
    bool askYesNo(const QString& text, Icon) override;
    std::optional<QString> askText(const QString& prompt, const QString& defaultText) override;
    std::optional<QString> askSavePath(const QString& title, const QString& defaultPath,
                                       const QString& filter) override;

    QStringList informed;
    QStringList asked;
    std::deque<bool> yesNoAnswers;
    std::deque<QString> textAnswers; // a null string stands for Cancel
    QStringList suggestedPaths;      // the default path of every save question
    std::deque<QString> savePaths;   // answers to save questions; a null string is Cancel
};

// The 14-gear set of the worked examples.
std::vector<std::int16_t> fourteenGears();

class WindowFixture {
public:
    explicit WindowFixture(const std::vector<NewMachine>& machines,
                           TwipsScale scale = TwipsScale(15, 15));
    ~WindowFixture();

    GearSel& window() { return *window_; }
    MainFace& face() { return window_->face(); }
    FakePrompter& prompter() { return prompter_; }
    // Writes of the data file fail with `error` (an errno value) until it is set back to 0.
    void failWritesWith(int error) {
        fileSystem_.failing = test::Step::Write;
        fileSystem_.error = error;
    }
    // The whole data file as it is on disk.
    QByteArray fileBytes() const;
    QString dataFile() const { return dir_.filePath(QStringLiteral("system.lib")); }

    // Shows the window and waits until it is active (and its first search has run).
    bool showAndActivate();

private:
    QTemporaryDir dir_;
    FakePrompter prompter_;
    test::FaultyFileSystem fileSystem_;
    std::unique_ptr<GearSel> window_;
};

// Replaces a field's text as a user would: focus, select all, type (ASCII only).
void typeInto(QWidget* field, const QString& text);
// Moves the focus from wherever it is to `target`, as a click or Tab would.
void focusOn(QWidget* target);

} // namespace gearsel::testing
