// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A real window on a temporary system.lib, with a scripted stand-in for the dialogs.

#include "faulty_file_system.h"
#include "present/formula_form.h"
#include "store/new_machine.h"
#include "ui/gear_sel.h"
#include "ui/lock_wait_watch.h"
#include "ui/prompter.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QTableView>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace gearsel {
class GearSetEditor;
class RatioHelper;
class SuggestionList;
} // namespace gearsel

namespace gearsel::testing {

// Answers dialogs from queues and records what it was asked. A question (Yes/No, a name, a
// save path) that no answer was queued for fails the running test.
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
// Machines "M1" to "M<count>", each with Zn 15 and the gears 20, 25, 30, 35, 40.
std::vector<NewMachine> numberedMachines(int count);

// The controls of the main face, found in a window by the names of the window's layout tables.
// A name the window lacks fails the test at once.
struct FaceControls {
    explicit FaceControls(QWidget& window);

    QWidget* Ped0;
    QComboBox* Mtype;
    QLineEdit *TSb, *Tzptj, *Tns;
    QCheckBox *Chk, *CheckZ12;
    QTableView *GZ, *GZs;
    // The commands: each picture's button, and the two without a picture.
    QAbstractButton *ImgNewJc, *ComExit, *ImgEditZ, *ImgPrint, *ComSave, *ComHelp, *ComCHOSE,
        *ImaSM, *LabBuy, *Label2;
    // The captions beside them, which start the same commands, and the two bars.
    QLabel *LabNewJc, *LabExit, *LabXgCsTab, *LabPrint, *LabSave, *LabHelp, *LabCHOSE, *LabZCSM;
    QLabel *Imagenew, *ImgEdbk, *ImgBTZ;
    // The other captions.
    QLabel *Label1, *Label3, *Label4, *Label6, *Label8, *LabN, *LabSBFW, *LabSD;
    // The panels over the face and their faces.
    QWidget *PicZZJS, *ImgZZJS, *Shape3, *PedNewJC, *Shape2, *PedHelp, *Shape1;
};

// The controls of the gear-set editor, found in the same way, and the editor's own account of
// its ticked boxes.
struct EditorControls {
    explicit EditorControls(QWidget& window);

    QWidget* panel() const { return PedNewJC; }
    int tickedCount() const;
    std::vector<QString> tickedCaptions() const;

    GearSetEditor* editor;
    QWidget* PedNewJC;
    QLineEdit *Text1, *Text2, *TxG;
    QAbstractButton *LabALLs, *LabFxz, *ComNewJcQD, *ImgQuitNew;
    QLabel *LabSN, *LabSaveNewJC;
    std::vector<QCheckBox*> ZsS;
};

// The window's control called `name`; fails the test at once when there is none.
QWidget* controlNamed(QWidget& window, const QString& name);

class WindowFixture {
public:
    explicit WindowFixture(const std::vector<NewMachine>& machines,
                           TwipsScale scale = TwipsScale(15, 15));
    // A window over a data file of exactly these bytes.
    explicit WindowFixture(const std::string& fileBytes);
    ~WindowFixture();

    GearSel& window() { return *window_; }
    FaceControls& face() { return *face_; }
    EditorControls& editor() { return *editor_; }
    // The ratio helper and the buy list once they have been opened; null before.
    RatioHelper* ratioHelper() const;
    SuggestionList* suggestionList() const;
    FakePrompter& prompter() { return prompter_; }
    // Writes of the data file fail with `error` (an errno value) until it is set back to 0.
    void failWritesWith(int error) {
        fileSystem_.failing = test::Step::Write;
        fileSystem_.error = error;
    }
    // The data file's lock is held by another program for the next `tries` tries to take it.
    void holdLockFor(int tries) {
        fileSystem_.failing = test::Step::Lock;
        fileSystem_.error = EWOULDBLOCK;
        fileSystem_.times = tries;
    }
    // The whole data file as it is on disk.
    QByteArray fileBytes() const;
    QString dataFile() const { return dir_.filePath(QStringLiteral("system.lib")); }

    // Closes the window and opens a new one on the same data file, as a restart does.
    void reopen();

    // Shows the window and waits until it is active (and its first search has run).
    bool showAndActivate();

private:
    void open(TwipsScale scale);

    QTemporaryDir dir_;
    TwipsScale scale_;
    FakePrompter prompter_;
    test::FaultyFileSystem fileSystem_;
    LockWaitWatch lockWaits_{fileSystem_};
    std::unique_ptr<GearSel> window_;
    std::unique_ptr<FaceControls> face_;
    std::unique_ptr<EditorControls> editor_;
};

// Input as the platform delivers it: every event goes to the top-level window that holds the
// widget named, which routes it on (focus, a combo box forwarding keys to its line edit,
// event filters) as it does for a person at the keyboard and mouse.

// Clicks the left button at `at` inside `target`, by default 4 pixels in from its left edge
// and halfway down (on a check box's tick, in a field's text). Whatever lies at that point
// of the window receives the click.
void clickOn(QWidget* target, std::optional<QPoint> at = std::nullopt);
// Presses and releases a key; the window's focus widget receives it.
void pressKey(QWidget* inWindow, Qt::Key key, Qt::KeyboardModifiers modifiers = {});
// Types ASCII text, one key at a time, into the window's focus widget.
void typeKeys(QWidget* inWindow, const QString& ascii);
// Replaces a field's text as a user would: click into it (which selects the whole text of
// the window's fields), erase, type (ASCII only).
void typeInto(QWidget* field, const QString& text);
// Moves the focus from wherever it is to `target` by clicking it.
void focusOn(QWidget* target);
// Ticks or clears a check box by clicking it, when it is not so already.
void setOption(QCheckBox* box, bool checked);
// Picks entry `index` of a combo box from the keyboard: a click into it, then the arrow keys.
void chooseEntry(QComboBox* box, int index);
// Runs `answer` on the next modal dialog (a real one, not the scripted stand-in), once it is
// open and active.
void answerNextDialog(std::function<void(QWidget*)> answer);
// A grid of the main face read as its layout numbers it: row 0 the headings, column 0 the
// fixed column of row numbers, the cell where they meet the corner.
int gridRows(const QTableView* grid);
QString cellText(const QTableView* grid, int row, int col);
QString cellToolTip(const QTableView* grid, int row, int col);
// The ratio helper's controls by their names: a constant's field, the page of a formula and
// its fields (in the order the form lists them), the box of the constants, the result line and
// the OK button.
QLineEdit* constantField(QWidget& helper, ConstantKey key);
QWidget* formulaPage(QWidget& helper, Formula formula);
QLineEdit* formulaField(QWidget& helper, Formula formula, int index);
QGroupBox* constantsBox(QWidget& helper);
QLabel* resultLine(QWidget& helper);
QAbstractButton* okButton(QWidget& helper);
// On the ratio helper's chart page, reached by its tab, works out the hobbing chart of 20 to
// 25 teeth with the constants as they stand; says how many rows the chart shows.
int workOutHobbingChart(RatioHelper& helper);

} // namespace gearsel::testing
