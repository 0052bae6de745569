// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of the main face: new machine, exit, edit the gear set, save, help, print,
// select, notes, which gear to buy and the ratio helper, with the banner at the top. Each
// command is one button (its picture, or a caption without one) that takes the focus by Tab
// and has a key; the caption beside a picture and the bar behind it start the same command
// when clicked, and the caption turns red under the pointer as the window has always shown.

#include "ui/twips_scale.h"

#include <QObject>
#include <vector>

class QWidget;

namespace gearsel {

class CommandButton;
class HoverFeedback;
class PictureLabel;

class FaceCommands : public QObject {
    Q_OBJECT
public:
    // Creates the commands on the main panel `face`.
    FaceCommands(const TwipsScale& scale, QWidget* face, QObject* parent = nullptr);

    // Shows banner `index`, 0 to 6.
    void showBanner(int index);
    // Whether the commands can be given: not while a panel covers the face, so that their keys
    // do not act behind it.
    void setAvailable(bool available);

Q_SIGNALS:
    void newMachineRequested();
    void exitRequested();
    void editGearSetRequested();
    void saveGearListRequested();
    void helpRequested();
    void notesRequested();
    void printRequested();
    void selectionRequested();
    void gearSuggestionsRequested();
    void ratioHelperRequested();
    void bannerClicked();

private:
    void createPictureCommands(const TwipsScale& scale, QWidget* face);
    void createCaptions(const TwipsScale& scale, QWidget* face);
    void createCaptionCommands(const TwipsScale& scale, QWidget* face);
    CommandButton* command(const char* name) const;

    std::vector<CommandButton*> commands_;
    PictureLabel* banner_ = nullptr;
    HoverFeedback* hover_ = nullptr;
};

// Resource path of banner `index` (0 to 6), in the window's language.
QString bannerPicture(int index);

} // namespace gearsel
