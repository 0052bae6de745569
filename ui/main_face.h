// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controls of the main window, created at their places: the main panel Ped0 with the
// commands, fields, labels and grids of the main face, and the three panels shown over it
// (the computing notice, the gear-set editor and the usage notes). The members keep the
// controls' own names; the behaviour is wired up by the window.

#include "ui/grid.h"
#include "ui/twips_scale.h"

#include <QString>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QWidget;

namespace gearsel {

class ClickableLabel;
class LineField;
class PictureLabel;
class ShapeWidget;

// Window size in twips.
inline constexpr int kWindowWidthTwips = 8640;
inline constexpr int kWindowHeightTwips = 5700;

class MainFace {
public:
    // Creates every control inside `window` and lays out the panels for `scale`.
    MainFace(QWidget* window, const TwipsScale& scale);
    ~MainFace();
    MainFace(const MainFace&) = delete;
    MainFace& operator=(const MainFace&) = delete;

    // The commands: each picture and the label beside it start the same command.
    struct Commands {
        PictureLabel* ImgNewJc = nullptr;     // new machine picture
        PictureLabel* Imagenew = nullptr;     // bar behind the new-machine label
        ClickableLabel* LabNewJc = nullptr;   // "新增机床型号"
        PictureLabel* ComExit = nullptr;      // exit picture
        ClickableLabel* LabExit = nullptr;    // "退出"
        PictureLabel* ImgBTZ = nullptr;       // banner; a click shows another
        PictureLabel* ImgEditZ = nullptr;     // edit gear list picture
        PictureLabel* ImgEdbk = nullptr;      // bar behind the edit label
        ClickableLabel* LabXgCsTab = nullptr; // "轮齿数编辑"
        PictureLabel* ImgPrint = nullptr;     // print picture
        ClickableLabel* LabPrint = nullptr;   // "打印"
        PictureLabel* ComSave = nullptr;      // save picture
        ClickableLabel* LabSave = nullptr;    // "保存"
        PictureLabel* ComHelp = nullptr;      // help picture
        ClickableLabel* LabHelp = nullptr;    // "帮助"
        PictureLabel* ComCHOSE = nullptr;     // select picture: starts a search
        ClickableLabel* LabCHOSE = nullptr;   // "选配"
        PictureLabel* ImaSM = nullptr;        // usage-notes picture
        ClickableLabel* LabZCSM = nullptr;    // "说明"
        ClickableLabel* LabBuy = nullptr;     // "买齿轮": which one gear to buy
    };
    // The machine box and the fields and options of a search.
    struct Fields {
        QComboBox* Mtype = nullptr;    // machine box
        LineField* TSb = nullptr;      // required ratio
        LineField* Tzptj = nullptr;    // assembly condition Zn
        LineField* Tns = nullptr;      // number of listed trains
        QCheckBox* Chk = nullptr;      // allow repeated tooth counts
        QCheckBox* CheckZ12 = nullptr; // include single pairs
    };
    // The captions: the fixed texts and the three that show values.
    struct Captions {
        ClickableLabel* Label1 = nullptr;  // "机床名称："
        ClickableLabel* Label2 = nullptr;  // "要求速比："
        ClickableLabel* Label4 = nullptr;  // "挂轮个数："
        ClickableLabel* LabN = nullptr;    // the gear count
        ClickableLabel* Label3 = nullptr;  // "装配条件："
        ClickableLabel* Label6 = nullptr;  // "列表组数："
        ClickableLabel* Label8 = nullptr;  // "--- 选配结果列表 ---"
        ClickableLabel* LabSBFW = nullptr; // reachable ratio range
        ClickableLabel* LabSD = nullptr;   // search time
    };
    // The main panel and the three panels shown over it.
    struct Panels {
        QWidget* Ped0 = nullptr;         // main panel, the whole window
        QWidget* PicZZJS = nullptr;      // computing notice panel
        ShapeWidget* Shape3 = nullptr;   // its orange frame
        PictureLabel* ImgZZJS = nullptr; // its picture
        QWidget* PedNewJC = nullptr;     // gear-set editor panel
        ShapeWidget* Shape2 = nullptr;   // its rounded face
        QWidget* PedHelp = nullptr;      // usage-notes panel
        ShapeWidget* Shape1 = nullptr;   // its rounded face
    };

    const TwipsScale& scale() const { return scale_; }
    const Commands& commands() const { return commands_; }
    const Fields& fields() const { return fields_; }
    const Captions& captions() const { return captions_; }
    const Panels& panels() const { return panels_; }
    // The current machine's gear list (GZs).
    Grid& gearGrid() const { return *gearGrid_; }
    // The ranked trains of the last search (GZ).
    Grid& resultGrid() const { return *resultGrid_; }

private:
    void createMainControls();
    void createPanels();
    void layOutPanels();
    void setFocusOrder();

    QWidget* window_;
    TwipsScale scale_;
    Commands commands_;
    Fields fields_;
    Captions captions_;
    Panels panels_;
    std::unique_ptr<Grid> gearGrid_;
    std::unique_ptr<Grid> resultGrid_;
};

// Resource path of banner `index` (0 to 6).
QString bannerPicture(int index);

} // namespace gearsel
