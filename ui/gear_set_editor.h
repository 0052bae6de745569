// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The gear-set editor on the panel PedNewJC: one tick box per tooth count of a range, the
// range fields, the caption editor for the box last clicked, tick all / clear all, invert,
// the count of ticked boxes, and the save and close commands. Saving is the window's job;
// the editor says which boxes are ticked.

#include "present/gear_box_layout.h"
#include "ui/twips_scale.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <vector>

class QCheckBox;
class QWidget;

namespace gearsel {

class ClickableLabel;
class LineField;
class PictureLabel;
class ShapeWidget;

class GearSetEditor : public QObject {
    Q_OBJECT
public:
    // Creates the editor's controls on `panel` (the editor panel, already placed).
    GearSetEditor(QWidget* panel, const TwipsScale& scale, QObject* parent = nullptr);

    // MkChkCL: lays the boxes out afresh for the range in the fields, all cleared.
    void MkChkCL();
    // DispGLTab: sets the range around an ascending gear list and ticks its gears.
    void DispGLTab(const std::vector<std::int16_t>& sortedGears);
    // Shows the panel in front of everything else on the main face.
    void show();
    // Hides the panel.
    void hide();
    // ImgQuitNew_Click: hides the panel without saving.
    void close();
    // Sets the range fields (as the new-machine command does before MkChkCL).
    void setRange(int lo, int hi);
    // Enables or disables the save command while a save runs.
    void setSaveEnabled(bool enabled);

    // The number of ticked boxes, as the count label shows it.
    int tickedCount() const { return tickedCount_; }
    // Captions of the ticked boxes in box order: the gear list that a save stores.
    std::vector<QString> tickedCaptions() const;

    QWidget* panel() const { return panel_; }

    // Controls, under their own names.
    LineField* Text1 = nullptr;             // first tooth count of the range
    LineField* Text2 = nullptr;             // last tooth count of the range
    LineField* TxG = nullptr;               // caption of the box last clicked
    ClickableLabel* LabALLs = nullptr;      // "全选" / "全清"
    ClickableLabel* LabFxz = nullptr;       // "反选"
    ClickableLabel* LabSN = nullptr;        // number of ticked boxes
    PictureLabel* ComNewJcQD = nullptr;     // save picture
    ClickableLabel* LabSaveNewJC = nullptr; // "保存"
    PictureLabel* ImgQuitNew = nullptr;     // close picture
    std::vector<QCheckBox*> ZsS;            // the 211 tooth-count boxes

Q_SIGNALS:
    // The save command was given.
    void saveRequested();
    // The panel was closed with its close picture; nothing is saved.
    void closed();

private:
    void createControls();
    void connectFields();
    // Box click handling: the box becomes the one TxG edits and the count follows it.
    void boxClicked(int index);
    // Changes a box's state from code, with the same handling as a click when it changes.
    void setTicked(int index, bool ticked);
    // Places and shows the first `count` boxes and hides and clears the rest.
    void placeBoxes(int count);
    void tickAll();
    void invert();
    void setCount(int count);
    int visibleBoxes() const;

    QWidget* panel_;
    TwipsScale scale_;
    bool rangeChanged_ = false;
    int editIndex_ = 0;
    // The count LabSN shows. The box click handling adds or takes one for each box it sees
    // change, and the layouts, tick all and invert then set the count they know.
    int tickedCount_ = 43;
    // LabALLs reads "全清" and clears the boxes next; it keeps its mode across layouts.
    bool clearsAll_ = false;
};

} // namespace gearsel
