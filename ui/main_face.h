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

    const TwipsScale& scale() const { return scale_; }

    QWidget* Ped0 = nullptr; // main panel, the whole window

    PictureLabel* ImgNewJc = nullptr; // new machine picture
    PictureLabel* ComExit = nullptr;  // exit picture
    PictureLabel* ImgBTZ = nullptr;   // banner
    PictureLabel* Imagenew = nullptr; // bar behind the new-machine label
    PictureLabel* ImgEditZ = nullptr; // edit gear list picture
    PictureLabel* ImgEdbk = nullptr;  // bar behind the edit label
    PictureLabel* ImgPrint = nullptr; // print picture
    PictureLabel* ComSave = nullptr;  // save picture
    PictureLabel* ComHelp = nullptr;  // help picture
    PictureLabel* ComCHOSE = nullptr; // select picture: starts a search
    PictureLabel* ImaSM = nullptr;    // usage-notes picture

    ClickableLabel* LabExit = nullptr;    // "退出"
    ClickableLabel* LabNewJc = nullptr;   // "新增机床型号"
    ClickableLabel* Label1 = nullptr;     // "机床名称："
    ClickableLabel* Label2 = nullptr;     // "要求速比："
    ClickableLabel* Label4 = nullptr;     // "挂轮个数："
    ClickableLabel* LabN = nullptr;       // the gear count
    ClickableLabel* Label3 = nullptr;     // "装配条件："
    ClickableLabel* Label6 = nullptr;     // "列表组数："
    ClickableLabel* LabXgCsTab = nullptr; // "轮齿数编辑"
    ClickableLabel* Label8 = nullptr;     // "--- 选配结果列表 ---"
    ClickableLabel* LabSBFW = nullptr;    // reachable ratio range
    ClickableLabel* LabSD = nullptr;      // search time
    ClickableLabel* LabPrint = nullptr;   // "打印"
    ClickableLabel* LabSave = nullptr;    // "保存"
    ClickableLabel* LabHelp = nullptr;    // "帮助"
    ClickableLabel* LabCHOSE = nullptr;   // "选配"
    ClickableLabel* LabZCSM = nullptr;    // "说明"

    QComboBox* Mtype = nullptr;    // machine box
    LineField* TSb = nullptr;      // required ratio
    LineField* Tzptj = nullptr;    // assembly condition Zn
    LineField* Tns = nullptr;      // number of listed trains
    QCheckBox* Chk = nullptr;      // allow repeated tooth counts
    QCheckBox* CheckZ12 = nullptr; // include single pairs

    std::unique_ptr<Grid> GZs; // gear list grid
    std::unique_ptr<Grid> GZ;  // result grid

    QWidget* PicZZJS = nullptr;      // computing notice panel
    ShapeWidget* Shape3 = nullptr;   // its orange frame
    PictureLabel* ImgZZJS = nullptr; // its picture

    QWidget* PedNewJC = nullptr;   // gear-set editor panel
    ShapeWidget* Shape2 = nullptr; // its rounded face
    QWidget* PedHelp = nullptr;    // usage-notes panel
    ShapeWidget* Shape1 = nullptr; // its rounded face

private:
    void createMainControls();
    void createPanels();
    void layOutPanels();
    void setFocusOrder();

    QWidget* window_;
    TwipsScale scale_;
};

// Resource path of banner `index` (0 to 6).
QString bannerPicture(int index);

} // namespace gearsel
