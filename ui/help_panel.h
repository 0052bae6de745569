// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The usage notes, the panel PedHelp over the main face: a picture, the program's name and
// version, how to use it in a dozen lines at fixed places, its licence and where to find
// updates, and the command that closes the notes (Esc as well).

#include "ui/twips_scale.h"

#include <QWidget>

namespace gearsel {

class HelpPanel : public QWidget {
    Q_OBJECT
public:
    // Creates the notes, hidden, over the main panel `face`.
    HelpPanel(const TwipsScale& scale, QWidget* face);

public Q_SLOTS:
    // Shows the notes in front of every other panel (the help command).
    void showInFront();
    // Shows the notes where they lie among the panels (the notes command).
    void showInPlace();

private:
    void createPictures(const TwipsScale& scale);
    void createLines(const TwipsScale& scale);
};

} // namespace gearsel
