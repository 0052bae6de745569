#include "ui/main_face.h"

#include "ui/clickable_label.h"
#include "ui/line_field.h"
#include "ui/picture_label.h"
#include "ui/shape_widget.h"
#include "ui/ui_style.h"
#include "ui/widget_helpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>

namespace gearsel {

namespace {

// Twips of the faces of the editor and notes panels, before they are fitted at load.
constexpr int kPanelFaceWidthTwips = 8100;
constexpr int kPanelFaceHeightTwips = 5175;

struct PictureSpec {
    PictureLabel* MainFace::*member;
    const char* name;
    int left, top, width, height;
    const char* picture;
    const char* tooltip;
};

// The picture commands of the main face. The two button bars come first, so that the icons
// beside them and the labels on them are drawn over them.
const PictureSpec kPictures[] = {
    {&MainFace::Imagenew, "Imagenew", 750, 750, 1455, 360, "new_machine_bar.svg", ""},
    {&MainFace::ImgEdbk, "ImgEdbk", 585, 2160, 1320, 360, "edit_bar.svg", ""},
    {&MainFace::ImgNewJc, "ImgNewJc", 450, 420, 795, 570, "new_machine.svg",
     "点这里可以新增一个机床型号的挂轮表"},
    {&MainFace::ComExit, "ComExit", 7065, 480, 585, 615, "exit.svg", ""},
    {&MainFace::ImgBTZ, "ImgBTZ", 2670, 450, 3810, 645, "banner0.svg", ""},
    {&MainFace::ImgEditZ, "ImgEditZ", 330, 2025, 600, 555, "edit_gears.svg",
     "点击这里可以修改挂轮齿数表"},
    {&MainFace::ImgPrint, "ImgPrint", 3847, 4583, 690, 765, "print.svg", "打印挂轮选配结果列表"},
    {&MainFace::ComSave, "ComSave", 630, 4605, 720, 720, "save.svg", "保存编辑修改后的挂轮数据"},
    {&MainFace::ComHelp, "ComHelp", 2246, 4605, 720, 720, "help.svg", "软件使用方法说明"},
    {&MainFace::ComCHOSE, "ComCHOSE", 5418, 4605, 720, 720, "select.svg", "开始进行挂轮选配"},
    {&MainFace::ImaSM, "ImaSM", 7020, 4620, 570, 600, "notes.svg", ""},
};

struct LabelSpec {
    ClickableLabel* MainFace::*member;
    const char* name;
    int left, top;
    const char* text;
    const char* tooltip;
};

const LabelSpec kLabels[] = {
    {&MainFace::LabExit, "LabExit", 7755, 735, "退出", ""},
    {&MainFace::LabNewJc, "LabNewJc", 1020, 855, "新增机床型号",
     "点这里可以新增一个机床型号的挂轮表"},
    {&MainFace::Label1, "Label1", 600, 1425, "机床名称：", ""},
    {&MainFace::Label2, "Label2", 4035, 1425, "要求速比：", "请在右边方框中输入要求的传动速比"},
    {&MainFace::Label4, "Label4", 600, 1845, "挂轮个数：", "这台机床所配带的挂轮个数"},
    {&MainFace::LabN, "LabN", 1590, 1830, "38", ""},
    {&MainFace::Label3, "Label3", 2265, 1845, "装配条件：", "传动轴的粗细相当于一个多少齿数的齿轮"},
    {&MainFace::Label6, "Label6", 4020, 1845, "列表组数：",
     "请在右边方框中输入要求的选配结果列表组数"},
    {&MainFace::LabXgCsTab, "LabXgCsTab", 900, 2265, "轮齿数编辑", "点击这里可以修改挂轮齿数表"},
    {&MainFace::Label8, "Label8", 2670, 2265, "--- 选配结果列表 ---", ""},
    {&MainFace::LabSBFW, "LabSBFW", 4905, 2265, "0.01234 - 15.67897 ", "速比可选择的范围"},
    {&MainFace::LabSD, "LabSD", 7275, 2265, "1.66 s", "计算处理所花的时间（秒）"},
    {&MainFace::LabPrint, "LabPrint", 4605, 4860, "打印", "打印挂轮选配结果列表"},
    {&MainFace::LabSave, "LabSave", 1410, 4875, "保存", "保存编辑修改后的挂轮数据"},
    {&MainFace::LabHelp, "LabHelp", 3045, 4875, "帮助", "软件使用方法说明"},
    {&MainFace::LabCHOSE, "LabCHOSE", 6210, 4875, "选配", ""},
    {&MainFace::LabZCSM, "LabZCSM", 7725, 4875, "说明", ""},
};

struct FieldSpec {
    LineField* MainFace::*member;
    const char* name;
    int left, top, width, height;
    const char* text;
    const char* tooltip;
};

const FieldSpec kFields[] = {
    {&MainFace::TSb, "TSb", 5055, 1358, 1095, 315, "1.23456", ""},
    {&MainFace::Tzptj, "Tzptj", 3210, 1778, 495, 315, "15", "传动轴的粗细相当于一个多少齿数的齿轮"},
    {&MainFace::Tns, "Tns", 5070, 1770, 465, 315, "5", ""},
};

struct CheckSpec {
    QCheckBox* MainFace::*member;
    const char* name;
    int left, top, width, height;
    const char* text;
    const char* tooltip;
};

const CheckSpec kChecks[] = {
    {&MainFace::Chk, "Chk", 6435, 1358, 1635, 315, "允许重复选择：",
     "是否允许重复选择相同齿数的齿轮"},
    {&MainFace::CheckZ12, "CheckZ12", 6435, 1778, 1635, 315, "包括单对选配：",
     "是否包括单对选配的齿轮组合"},
};

void makePanel(QWidget* panel, const char* name) {
    panel->setObjectName(QString::fromLatin1(name));
    panel->setAutoFillBackground(true);
    setColour(panel, QPalette::Window, style::kPanelBack);
}

GridColors resultGridColors() {
    const QPalette system = QApplication::palette();
    return GridColors{QColor(224, 255, 224),
                      system.color(QPalette::Text),
                      style::kHeadingBack,
                      system.color(QPalette::Highlight),
                      system.color(QPalette::HighlightedText),
                      style::kPanelBack,
                      style::kGridLines};
}

GridColors gearGridColors() {
    return GridColors{QColor(255, 255, 208), QColor(0, 0, 192), style::kHeadingBack,
                      QColor(192, 255, 255), QColor(255, 0, 0), QColor(192, 255, 255),
                      style::kGridLines};
}

} // namespace

QString bannerPicture(int index) {
    return QStringLiteral(":/pictures/banner%1.svg").arg(index);
}

MainFace::MainFace(QWidget* window, const TwipsScale& scale) : window_(window), scale_(scale) {
    Ped0 = new QWidget(window);
    makePanel(Ped0, "Ped0");
    Ped0->setGeometry(scale_.rect(0, 0, kWindowWidthTwips, kWindowHeightTwips));
    createMainControls();
    createPanels();
    layOutPanels();
    setFocusOrder();
}

MainFace::~MainFace() = default;

void MainFace::createMainControls() {
    for (const PictureSpec& spec : kPictures) {
        auto* picture = new PictureLabel(Ped0);
        picture->setObjectName(QString::fromLatin1(spec.name));
        picture->setGeometry(scale_.rect(spec.left, spec.top, spec.width, spec.height));
        picture->setPicture(QStringLiteral(":/pictures/") + QString::fromLatin1(spec.picture));
        picture->setToolTip(QString::fromUtf8(spec.tooltip));
        this->*spec.member = picture;
    }
    for (const LabelSpec& spec : kLabels) {
        auto* label = new ClickableLabel(Ped0);
        label->setObjectName(QString::fromLatin1(spec.name));
        label->move(scale_.x(spec.left), scale_.y(spec.top));
        setCaption(label, QString::fromUtf8(spec.text));
        label->setToolTip(QString::fromUtf8(spec.tooltip));
        this->*spec.member = label;
    }
    LabN->setFont(style::song(10.5));
    setCaption(LabN, LabN->text());
    setColour(LabNewJc, QPalette::WindowText, Qt::black);

    Mtype = new QComboBox(Ped0);
    Mtype->setObjectName(QStringLiteral("Mtype"));
    Mtype->setEditable(true);
    Mtype->setInsertPolicy(QComboBox::NoInsert);
    Mtype->setGeometry(scale_.rect(1500, 1365, 2220, 300));
    Mtype->setEditText(QStringLiteral("Y38"));
    Mtype->setToolTip(
        QStringLiteral("修改名称后按“回车”键将另存为一个新的挂轮表，名称改为空白后将删除该挂轮表"));
    setColour(Mtype, QPalette::Base, style::kFieldBack);
    setColour(Mtype->lineEdit(), QPalette::Base, style::kFieldBack);

    for (const FieldSpec& spec : kFields) {
        auto* field = new LineField(Ped0);
        field->setObjectName(QString::fromLatin1(spec.name));
        field->setGeometry(scale_.rect(spec.left, spec.top, spec.width, spec.height));
        field->setAlignment(Qt::AlignCenter);
        field->setFont(style::song(10.5));
        field->setText(QString::fromUtf8(spec.text));
        field->setToolTip(QString::fromUtf8(spec.tooltip));
        setColour(field, QPalette::Base, style::kFieldBack);
        this->*spec.member = field;
    }

    for (const CheckSpec& spec : kChecks) {
        auto* box = new QCheckBox(QString::fromUtf8(spec.text), Ped0);
        box->setObjectName(QString::fromLatin1(spec.name));
        box->setGeometry(scale_.rect(spec.left, spec.top, spec.width, spec.height));
        box->setToolTip(QString::fromUtf8(spec.tooltip));
        box->setChecked(true);
        // A check box fills its background with the Button role unless told otherwise.
        box->setBackgroundRole(QPalette::Window);
        box->setAutoFillBackground(true);
        setColour(box, QPalette::Window, style::kPanelBack);
        this->*spec.member = box;
    }

    GZs = std::make_unique<Grid>(Ped0, scale_, gearGridColors(), 10, 2, 300);
    GZs->widget()->setObjectName(QStringLiteral("GZs"));
    GZs->widget()->setGeometry(scale_.rect(555, 2580, 1245, 1785));
    GZ = std::make_unique<Grid>(Ped0, scale_, resultGridColors(), 10, 5, 300);
    GZ->widget()->setObjectName(QStringLiteral("GZ"));
    GZ->widget()->setGeometry(scale_.rect(2055, 2580, 6045, 1785));
    for (Grid* grid : {GZs.get(), GZ.get()}) {
        grid->widget()->setFont(style::song(9));
    }
}

void MainFace::createPanels() {
    PedHelp = new QWidget(Ped0);
    makePanel(PedHelp, "PedHelp");
    Shape1 = new ShapeWidget(QColor(255, 128, 0), QColor(232, 232, 255), PedHelp);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(scale_.rect(0, 15, kPanelFaceWidthTwips, kPanelFaceHeightTwips));

    PedNewJC = new QWidget(Ped0);
    makePanel(PedNewJC, "PedNewJC");
    Shape2 = new ShapeWidget(QColor(0, 192, 192), QColor(192, 255, 239), PedNewJC);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setGeometry(scale_.rect(0, 15, kPanelFaceWidthTwips, kPanelFaceHeightTwips));

    PicZZJS = new QWidget(Ped0);
    makePanel(PicZZJS, "PicZZJS");
    ImgZZJS = new PictureLabel(PicZZJS);
    ImgZZJS->setObjectName(QStringLiteral("ImgZZJS"));
    ImgZZJS->setGeometry(scale_.rect(105, 60, 3600, 630));
    ImgZZJS->setPicture(QStringLiteral(":/pictures/computing.svg"));
    Shape3 = new ShapeWidget(style::kComputingBorder, std::nullopt, PicZZJS);
    Shape3->setObjectName(QStringLiteral("Shape3"));
    Shape3->setGeometry(scale_.rect(15, 45, 3810, 675));

    // Front to back: the computing notice, the editor, the notes, then the main face.
    PedHelp->raise();
    PedNewJC->raise();
    PicZZJS->raise();
    for (QWidget* panel : {PicZZJS, PedNewJC, PedHelp}) {
        panel->hide();
    }
}

void MainFace::layOutPanels() {
    const int px = scale_.pixelTwipsX();
    const int py = scale_.pixelTwipsY();

    // The computing notice sits a little right of centre: the divisor is 1.7, not 2.
    const int noticeWidth = 3855;
    const int noticeLeft = static_cast<int>((kWindowWidthTwips - noticeWidth) / 1.7);
    PicZZJS->setGeometry(scale_.rect(noticeLeft, 3192, noticeWidth, 750));

    // Both large panels leave a margin of 16 pixels at the top and bottom, showing the frame.
    const int panelTop = 16 * py;
    const int panelHeight = kWindowHeightTwips - 32 * py;
    const int panelWidth = kPanelFaceWidthTwips + 2 * px;
    const int panelLeft = (kWindowWidthTwips - panelWidth) / 2;
    for (QWidget* panel : {PedNewJC, PedHelp}) {
        panel->setGeometry(scale_.rect(panelLeft, panelTop, panelWidth, panelHeight));
    }
    for (ShapeWidget* face : {Shape1, Shape2}) {
        face->setGeometry(scale_.rect(px, py, kPanelFaceWidthTwips, panelHeight - 2 * py));
    }
}

void MainFace::setFocusOrder() {
    for (QWidget* child : Ped0->findChildren<QWidget*>()) {
        child->setFocusPolicy(Qt::NoFocus);
    }
    QWidget* order[] = {Tzptj, Chk, Tns, Mtype, TSb, GZ->widget(), GZs->widget(), CheckZ12};
    for (QWidget* widget : order) {
        widget->setFocusPolicy(Qt::StrongFocus);
    }
    Mtype->lineEdit()->setFocusPolicy(Qt::StrongFocus);
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

} // namespace gearsel
