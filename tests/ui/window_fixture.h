#pragma once
// A real window on a temporary system.lib, with a scripted stand-in for the dialogs.

#include "store/file_system.h"
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

// The real file system, except that writes can be made to fail with a chosen error, as a
// full disk or a read-only folder would.
class SwitchableFileSystem : public FileSystem {
public:
    int failWritesWith = 0; // an errno value; 0 lets writes through

    int readFile(const std::string& path, std::size_t maxSize, std::string& bytes,
                 mode_t& mode) override {
        return real().readFile(path, maxSize, bytes, mode);
    }
    int checkWritable(const std::string& path) override { return real().checkWritable(path); }
    int createTemp(std::string& pathTemplate, int& fd) override {
        return real().createTemp(pathTemplate, fd);
    }
    int writeAll(int fd, std::string_view bytes) override {
        return failWritesWith != 0 ? failWritesWith : real().writeAll(fd, bytes);
    }
    int setMode(int fd, mode_t mode) override { return real().setMode(fd, mode); }
    int sync(int fd) override { return real().sync(fd); }
    int close(int fd) override { return real().close(fd); }
    int rename(const std::string& from, const std::string& to) override {
        return real().rename(from, to);
    }
    int link(const std::string& from, const std::string& to) override {
        return real().link(from, to);
    }
    int remove(const std::string& path) override { return real().remove(path); }
    int syncFolder(const std::string& folder) override { return real().syncFolder(folder); }

private:
    static FileSystem& real() { return posixFileSystem(); }
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
    SwitchableFileSystem& fileSystem() { return fileSystem_; }
    // The whole data file as it is on disk.
    QByteArray fileBytes() const;
    QString dataFile() const { return dir_.filePath(QStringLiteral("system.lib")); }

    // Shows the window and waits until it is active (and its first search has run).
    bool showAndActivate();

private:
    QTemporaryDir dir_;
    FakePrompter prompter_;
    SwitchableFileSystem fileSystem_;
    std::unique_ptr<GearSel> window_;
};

// Replaces a field's text as a user would: focus, select all, type (ASCII only).
void typeInto(QWidget* field, const QString& text);
// Moves the focus from wherever it is to `target`, as a click or Tab would.
void focusOn(QWidget* target);

} // namespace gearsel::testing
