// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The gear-set editor, the panel PedNewJC over the main face: one tick box per tooth count of
// a range, the range fields, the caption editor for the box last clicked, tick all / clear
// all, invert, the count of ticked boxes, and the save and close commands. Saving is the
// machine side's job; the editor says which boxes are ticked.
//
// By the keyboard: Tab goes round the range fields, the boxes (one stop), the caption editor
// and the commands; the arrow keys move between the boxes and Space ticks the one with the
// focus, which keeps the focus so that the arrows go on from there (a click hands it to the
// caption editor); Alt+A ticks or clears all, Alt+I inverts, Ctrl+S saves and Esc closes.

#include "present/gear_box_layout.h"
#include "ui/twips_scale.h"

#include <QWidget>
#include <cstdint>
#include <vector>

class QCheckBox;
class QLabel;

namespace gearsel {

class CommandButton;
class HoverFeedback;
class LineField;
class ToothBoxKeys;

class GearSetEditor : public QWidget {
    Q_OBJECT
public:
    // Creates the panel, hidden, over the main panel `face`.
    GearSetEditor(const TwipsScale& scale, QWidget* face);

    // Shows the panel in front of everything else on the main face.
    void showInFront();
    // Lays the boxes out afresh for the range in the fields, all cleared.
    void layOutEmptyBoxes();
    // Sets the range around an ascending gear list and ticks its gears.
    void showGearList(const std::vector<std::int16_t>& sortedGears);
    // Sets the range fields (as the new-machine command does before layOutEmptyBoxes).
    void setRange(int lo, int hi);
    // Enables or disables the save command while a save runs.
    void setSaveEnabled(bool enabled);

    // The number of ticked boxes, as the count shows it.
    int tickedCount() const { return tickedCount_; }
    // Captions of the ticked boxes in box order: the gear list that a save stores.
    std::vector<QString> tickedCaptions() const;

public Q_SLOTS:
    // The close command: hides the panel without saving.
    void discard();

Q_SIGNALS:
    // The save command was given.
    void saveRequested();
    // The panel was closed without saving.
    void discarded();

private:
    void createFields(const TwipsScale& scale);
    void createCommands(const TwipsScale& scale);
    void createBoxes(const TwipsScale& scale);
    void connectFields();
    void setTabOrder();
    // Box click handling: the box becomes the one the caption editor edits and the count
    // follows it.
    void boxClicked(int index);
    // Changes a box's state from code, with the same handling as a click when it changes.
    void setTicked(int index, bool ticked);
    // Places and shows the first `count` boxes and hides and clears the rest.
    void placeBoxes(int count);
    void tickAll();
    void invert();
    void setCount(int count);
    int visibleBoxes() const;
    QCheckBox* box(int index) const { return boxes_[static_cast<std::size_t>(index)]; }

    TwipsScale scale_;
    LineField* rangeStart_ = nullptr;  // Text1
    LineField* rangeEnd_ = nullptr;    // Text2
    LineField* caption_ = nullptr;     // TxG, the caption of the box last clicked
    CommandButton* tickAll_ = nullptr; // LabALLs: "全选" / "全清"
    CommandButton* invert_ = nullptr;  // LabFxz
    QLabel* count_ = nullptr;          // LabSN
    CommandButton* save_ = nullptr;    // ComNewJcQD
    QLabel* saveCaption_ = nullptr;    // LabSaveNewJC
    CommandButton* close_ = nullptr;   // ImgQuitNew
    std::vector<QCheckBox*> boxes_;    // ZsS, the 211 tooth-count boxes
    ToothBoxKeys* boxKeys_ = nullptr;
    HoverFeedback* hover_ = nullptr;

    bool rangeChanged_ = false;
    int editIndex_ = 0;
    // The count the panel shows. The box click handling adds or takes one for each box it
    // sees change, and the layouts, tick all and invert then set the count they know.
    int tickedCount_ = 43;
    // 全选 reads "全清" and clears the boxes next; it keeps its mode across layouts.
    bool clearsAll_ = false;
};

} // namespace gearsel
