// SPDX-License-Identifier: GPL-3.0-or-later
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
    PictureLabel* MainFace::Commands::*member;
    const char* name;
    int left, top, width, height;
    const char* picture;
    const char* tooltip;
};

// The picture commands of the main face. The two button bars come first, so that the icons
// beside them and the labels on them are drawn over them.
const PictureSpec kPictures[] = {
    {&MainFace::Commands::Imagenew, "Imagenew", 750, 750, 1455, 360, "new_machine_bar.svg", ""},
    {&MainFace::Commands::ImgEdbk, "ImgEdbk", 585, 2160, 1320, 360, "edit_bar.svg", ""},
    {&MainFace::Commands::ImgNewJc, "ImgNewJc", 450, 420, 795, 570, "new_machine.svg",
     "点这里可以新增一个机床型号的挂轮表"},
    {&MainFace::Commands::ComExit, "ComExit", 7065, 480, 585, 615, "exit.svg", ""},
    {&MainFace::Commands::ImgBTZ, "ImgBTZ", 2670, 450, 3810, 645, "banner0.svg", ""},
    {&MainFace::Commands::ImgEditZ, "ImgEditZ", 330, 2025, 600, 555, "edit_gears.svg",
     "点击这里可以修改挂轮齿数表"},
    {&MainFace::Commands::ImgPrint, "ImgPrint", 3847, 4583, 690, 765, "print.svg",
     "打印挂轮选配结果列表"},
    {&MainFace::Commands::ComSave, "ComSave", 630, 4605, 720, 720, "save.svg",
     "保存编辑修改后的挂轮数据"},
    {&MainFace::Commands::ComHelp, "ComHelp", 2246, 4605, 720, 720, "help.svg", "软件使用方法说明"},
    {&MainFace::Commands::ComCHOSE, "ComCHOSE", 5418, 4605, 720, 720, "select.svg",
     "开始进行挂轮选配"},
    {&MainFace::Commands::ImaSM, "ImaSM", 7020, 4620, 570, 600, "notes.svg", ""},
};

template <typename Group> struct LabelSpec {
    ClickableLabel* Group::*member;
    const char* name;
    int left, top;
    const char* text;
    const char* tooltip;
};

const LabelSpec<MainFace::Commands> kCommandLabels[] = {
    {&MainFace::Commands::LabExit, "LabExit", 7755, 735, "退出", ""},
    {&MainFace::Commands::LabNewJc, "LabNewJc", 1020, 855, "新增机床型号",
     "点这里可以新增一个机床型号的挂轮表"},
    {&MainFace::Commands::LabXgCsTab, "LabXgCsTab", 900, 2265, "轮齿数编辑",
     "点击这里可以修改挂轮齿数表"},
    {&MainFace::Commands::LabPrint, "LabPrint", 4605, 4860, "打印", "打印挂轮选配结果列表"},
    {&MainFace::Commands::LabSave, "LabSave", 1410, 4875, "保存", "保存编辑修改后的挂轮数据"},
    {&MainFace::Commands::LabHelp, "LabHelp", 3045, 4875, "帮助", "软件使用方法说明"},
    {&MainFace::Commands::LabCHOSE, "LabCHOSE", 6210, 4875, "选配", ""},
    {&MainFace::Commands::LabZCSM, "LabZCSM", 7725, 4875, "说明", ""},
    {&MainFace::Commands::LabBuy, "LabBuy", 2085, 2265, "买齿轮",
     "再添一个什么齿数的齿轮，能使要求速比更精确"},
};

const LabelSpec<MainFace::Captions> kCaptions[] = {
    {&MainFace::Captions::Label1, "Label1", 600, 1425, "机床名称：", ""},
    {&MainFace::Captions::Label2, "Label2", 4035, 1425, "要求速比：",
     "请在右边方框中输入要求的传动速比"},
    {&MainFace::Captions::Label4, "Label4", 600, 1845, "挂轮个数：", "这台机床所配带的挂轮个数"},
    {&MainFace::Captions::LabN, "LabN", 1590, 1830, "38", ""},
    {&MainFace::Captions::Label3, "Label3", 2265, 1845, "装配条件：",
     "传动轴的粗细相当于一个多少齿数的齿轮"},
    {&MainFace::Captions::Label6, "Label6", 4020, 1845, "列表组数：",
     "请在右边方框中输入要求的选配结果列表组数"},
    {&MainFace::Captions::Label8, "Label8", 2670, 2265, "--- 选配结果列表 ---", ""},
    {&MainFace::Captions::LabSBFW, "LabSBFW", 4905, 2265, "0.01234 - 15.67897 ",
     "速比可选择的范围"},
    {&MainFace::Captions::LabSD, "LabSD", 7275, 2265, "1.66 s", "计算处理所花的时间（秒）"},
};

struct FieldSpec {
    LineField* MainFace::Fields::*member;
    const char* name;
    int left, top, width, height;
    const char* text;
    const char* tooltip;
};

const FieldSpec kFields[] = {
    {&MainFace::Fields::TSb, "TSb", 5055, 1358, 1095, 315, "1.23456", ""},
    {&MainFace::Fields::Tzptj, "Tzptj", 3210, 1778, 495, 315, "15",
     "传动轴的粗细相当于一个多少齿数的齿轮"},
    {&MainFace::Fields::Tns, "Tns", 5070, 1770, 465, 315, "5", ""},
};

struct CheckSpec {
    QCheckBox* MainFace::Fields::*member;
    const char* name;
    int left, top, width, height;
    const char* text;
    const char* tooltip;
};

const CheckSpec kChecks[] = {
    {&MainFace::Fields::Chk, "Chk", 6435, 1358, 1635, 315, "允许重复选择：",
     "是否允许重复选择相同齿数的齿轮"},
    {&MainFace::Fields::CheckZ12, "CheckZ12", 6435, 1778, 1635, 315, "包括单对选配：",
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

// Creates the labels of `table` on `panel`, each stored in its member of `group`.
template <typename Group, std::size_t N>
void createLabels(const LabelSpec<Group> (&table)[N], Group& group, QWidget* panel,
                  const TwipsScale& scale) {
    for (const LabelSpec<Group>& spec : table) {
        auto* label = new ClickableLabel(panel);
        label->setObjectName(QString::fromLatin1(spec.name));
        label->move(scale.x(spec.left), scale.y(spec.top));
        setCaption(label, QString::fromUtf8(spec.text));
        label->setToolTip(QString::fromUtf8(spec.tooltip));
        group.*spec.member = label;
    }
}

} // namespace

QString bannerPicture(int index) {
    return QStringLiteral(":/pictures/banner%1.svg").arg(index);
}

MainFace::MainFace(QWidget* window, const TwipsScale& scale) : window_(window), scale_(scale) {
    panels_.Ped0 = new QWidget(window);
    makePanel(panels_.Ped0, "Ped0");
    panels_.Ped0->setGeometry(scale_.rect(0, 0, kWindowWidthTwips, kWindowHeightTwips));
    createMainControls();
    createPanels();
    layOutPanels();
    setFocusOrder();
}

MainFace::~MainFace() = default;

void MainFace::createMainControls() {
    for (const PictureSpec& spec : kPictures) {
        auto* picture = new PictureLabel(panels_.Ped0);
        picture->setObjectName(QString::fromLatin1(spec.name));
        picture->setGeometry(scale_.rect(spec.left, spec.top, spec.width, spec.height));
        picture->setPicture(QStringLiteral(":/pictures/") + QString::fromLatin1(spec.picture));
        picture->setToolTip(QString::fromUtf8(spec.tooltip));
        commands_.*spec.member = picture;
    }
    createLabels(kCommandLabels, commands_, panels_.Ped0, scale_);
    createLabels(kCaptions, captions_, panels_.Ped0, scale_);
    captions_.LabN->setFont(style::song(scale_.points(10.5)));
    setCaption(captions_.LabN, captions_.LabN->text());
    setColour(commands_.LabNewJc, QPalette::WindowText, Qt::black);
    // A link-like command beside the list heading, without a picture of its own.
    QFont linkFont = commands_.LabBuy->font();
    linkFont.setUnderline(true);
    commands_.LabBuy->setFont(linkFont);
    setCaption(commands_.LabBuy, commands_.LabBuy->text());
    setColour(commands_.LabBuy, QPalette::WindowText, QColor(0, 0, 192));
    commands_.LabBuy->setCursor(Qt::PointingHandCursor);

    fields_.Mtype = new QComboBox(panels_.Ped0);
    fields_.Mtype->setObjectName(QStringLiteral("Mtype"));
    fields_.Mtype->setEditable(true);
    fields_.Mtype->setInsertPolicy(QComboBox::NoInsert);
    fields_.Mtype->setGeometry(scale_.rect(1500, 1365, 2220, 300));
    fields_.Mtype->setEditText(QStringLiteral("Y38"));
    fields_.Mtype->setToolTip(
        QStringLiteral("修改名称后按“回车”键将另存为一个新的挂轮表，名称改为空白后将删除该挂轮表"));
    setColour(fields_.Mtype, QPalette::Base, style::kFieldBack);
    setColour(fields_.Mtype->lineEdit(), QPalette::Base, style::kFieldBack);

    for (const FieldSpec& spec : kFields) {
        auto* field = new LineField(panels_.Ped0);
        field->setObjectName(QString::fromLatin1(spec.name));
        field->setGeometry(scale_.rect(spec.left, spec.top, spec.width, spec.height));
        field->setAlignment(Qt::AlignCenter);
        field->setFont(style::song(scale_.points(10.5)));
        field->setText(QString::fromUtf8(spec.text));
        field->setToolTip(QString::fromUtf8(spec.tooltip));
        setColour(field, QPalette::Base, style::kFieldBack);
        fields_.*spec.member = field;
    }

    for (const CheckSpec& spec : kChecks) {
        auto* box = new QCheckBox(QString::fromUtf8(spec.text), panels_.Ped0);
        box->setObjectName(QString::fromLatin1(spec.name));
        box->setGeometry(scale_.rect(spec.left, spec.top, spec.width, spec.height));
        box->setToolTip(QString::fromUtf8(spec.tooltip));
        box->setChecked(true);
        // A check box fills its background with the Button role unless told otherwise.
        box->setBackgroundRole(QPalette::Window);
        box->setAutoFillBackground(true);
        setColour(box, QPalette::Window, style::kPanelBack);
        fields_.*spec.member = box;
    }

    gearGrid_ = std::make_unique<Grid>(panels_.Ped0, scale_, gearGridColors(), 10, 2, 300);
    gearGrid_->widget()->setObjectName(QStringLiteral("GZs"));
    gearGrid_->widget()->setGeometry(scale_.rect(555, 2580, 1245, 1785));
    resultGrid_ = std::make_unique<Grid>(panels_.Ped0, scale_, resultGridColors(), 10, 5, 300);
    resultGrid_->widget()->setObjectName(QStringLiteral("GZ"));
    resultGrid_->widget()->setGeometry(scale_.rect(2055, 2580, 6045, 1785));
    for (Grid* grid : {gearGrid_.get(), resultGrid_.get()}) {
        grid->widget()->setFont(style::song(scale_.points(9)));
    }
}

void MainFace::createPanels() {
    panels_.PedHelp = new QWidget(panels_.Ped0);
    makePanel(panels_.PedHelp, "PedHelp");
    panels_.Shape1 = new ShapeWidget(QColor(255, 128, 0), QColor(232, 232, 255), panels_.PedHelp);
    panels_.Shape1->setObjectName(QStringLiteral("Shape1"));
    panels_.Shape1->setGeometry(scale_.rect(0, 15, kPanelFaceWidthTwips, kPanelFaceHeightTwips));

    panels_.PedNewJC = new QWidget(panels_.Ped0);
    makePanel(panels_.PedNewJC, "PedNewJC");
    panels_.Shape2 = new ShapeWidget(QColor(0, 192, 192), QColor(192, 255, 239), panels_.PedNewJC);
    panels_.Shape2->setObjectName(QStringLiteral("Shape2"));
    panels_.Shape2->setGeometry(scale_.rect(0, 15, kPanelFaceWidthTwips, kPanelFaceHeightTwips));

    panels_.PicZZJS = new QWidget(panels_.Ped0);
    makePanel(panels_.PicZZJS, "PicZZJS");
    panels_.ImgZZJS = new PictureLabel(panels_.PicZZJS);
    panels_.ImgZZJS->setObjectName(QStringLiteral("ImgZZJS"));
    panels_.ImgZZJS->setGeometry(scale_.rect(105, 60, 3600, 630));
    panels_.ImgZZJS->setPicture(QStringLiteral(":/pictures/computing.svg"));
    panels_.Shape3 = new ShapeWidget(style::kComputingBorder, std::nullopt, panels_.PicZZJS);
    panels_.Shape3->setObjectName(QStringLiteral("Shape3"));
    panels_.Shape3->setGeometry(scale_.rect(15, 45, 3810, 675));

    // Front to back: the computing notice, the editor, the notes, then the main face.
    panels_.PedHelp->raise();
    panels_.PedNewJC->raise();
    panels_.PicZZJS->raise();
    for (QWidget* panel : {panels_.PicZZJS, panels_.PedNewJC, panels_.PedHelp}) {
        panel->hide();
    }
}

void MainFace::layOutPanels() {
    const int px = scale_.pixelTwipsX();
    const int py = scale_.pixelTwipsY();

    // The computing notice sits a little right of centre: the divisor is 1.7, not 2.
    const int noticeWidth = 3855;
    const int noticeLeft = static_cast<int>((kWindowWidthTwips - noticeWidth) / 1.7);
    panels_.PicZZJS->setGeometry(scale_.rect(noticeLeft, 3192, noticeWidth, 750));

    // Both large panels leave a margin of 16 pixels at the top and bottom, showing the frame.
    const int panelTop = 16 * py;
    const int panelHeight = kWindowHeightTwips - 32 * py;
    const int panelWidth = kPanelFaceWidthTwips + 2 * px;
    const int panelLeft = (kWindowWidthTwips - panelWidth) / 2;
    for (QWidget* panel : {panels_.PedNewJC, panels_.PedHelp}) {
        panel->setGeometry(scale_.rect(panelLeft, panelTop, panelWidth, panelHeight));
    }
    for (ShapeWidget* face : {panels_.Shape1, panels_.Shape2}) {
        face->setGeometry(scale_.rect(px, py, kPanelFaceWidthTwips, panelHeight - 2 * py));
    }
}

void MainFace::setFocusOrder() {
    for (QWidget* child : panels_.Ped0->findChildren<QWidget*>()) {
        child->setFocusPolicy(Qt::NoFocus);
    }
    QWidget* order[] = {fields_.Tzptj,       fields_.Chk,     fields_.Tns,
                        fields_.Mtype,       fields_.TSb,     resultGrid_->widget(),
                        gearGrid_->widget(), fields_.CheckZ12};
    for (QWidget* widget : order) {
        widget->setFocusPolicy(Qt::StrongFocus);
    }
    fields_.Mtype->lineEdit()->setFocusPolicy(Qt::StrongFocus);
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

} // namespace gearsel
