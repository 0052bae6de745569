// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's dialogs behind one interface, so that the logic behind them can be driven by a
// scripted stand-in in tests. Every dialog carries the title "操作提示".

#include <QString>
#include <optional>

class QWidget;

namespace gearsel {

class Prompter {
public:
    enum class Icon { Question, Information };

    virtual ~Prompter() = default;
    // Tells the user something went wrong (or right); one OK button.
    virtual void inform(const QString& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool askYesNo(const QString& text, Icon icon) = 0;
    // Asks for a line of text with a default; nothing when the user cancels.
    virtual std::optional<QString> askText(const QString& prompt, const QString& defaultText) = 0;
    // Asks where to save a file, starting at `defaultPath` and offering the files that match
    // `filter` ("PDF 文件 (*.pdf)"); nothing when the user cancels.
    virtual std::optional<QString> askSavePath(const QString& title, const QString& defaultPath,
                                               const QString& filter) = 0;
};

// The real dialogs: QMessageBox, QInputDialog and QFileDialog over `parent`.
class MessageBoxPrompter : public Prompter {
public:
    explicit MessageBoxPrompter(QWidget* parent) : parent_(parent) {}
    void inform(const QString& text) override;
    bool askYesNo(const QString& text, Icon icon) override;
    std::optional<QString> askText(const QString& prompt, const QString& defaultText) override;
    std::optional<QString> askSavePath(const QString& title, const QString& defaultPath,
                                       const QString& filter) override;

private:
    QWidget* parent_;
};

// The title of every dialog of the program.
QString promptTitle();

} // namespace gearsel
