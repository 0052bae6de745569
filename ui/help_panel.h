// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The usage notes on the panel PedHelp: a picture, the program's name and version, how to use
// it in a dozen lines at fixed places, its licence and where to find updates. The help and notes
// commands of the main face show the panel, its close picture hides it.

#include <QObject>
#include <QString>
#include <array>
#include <map>

class QLabel;

namespace gearsel {

class MainFace;
class PictureLabel;

class HelpPanel : public QObject {
    Q_OBJECT
public:
    // Creates the notes on `face`'s panel PedHelp (already placed) and connects ComHelp,
    // LabHelp, ImaSM, LabZCSM and the close picture.
    explicit HelpPanel(MainFace& face, QObject* parent = nullptr);

    // ComHelp_Click: shows the notes in front of every other panel.
    void ComHelp_Click();
    // ImaSM_Click: shows the notes where they lie among the panels.
    void ImaSM_Click();
    // ImaQuitHelp_Click: hides the notes.
    void ImaQuitHelp_Click();

    // Controls, under their own names.
    PictureLabel* Image2 = nullptr;      // the picture at the top left
    PictureLabel* ImgHelpIcon = nullptr; // the icon beside it
    PictureLabel* ImgStars = nullptr;    // decoration over the title
    PictureLabel* ImaQuitHelp = nullptr; // close picture
    QLabel* Label7 = nullptr;            // the title
    std::array<QLabel*, 3> LabLXmm{};    // version, licence, updates
    std::map<int, QLabel*> Labsmwz;      // the lines of the notes, by their index

private:
    void createPictures();
    void createLabels();
    void connectCommands();

    MainFace& face_;
};

} // namespace gearsel
