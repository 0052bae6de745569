// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_panel.h"

#include "base/version.h"
#include "ui/clickable_label.h"
#include "ui/main_face.h"
#include "ui/picture_label.h"
#include "ui/widget_helpers.h"

#include <QLabel>

namespace gearsel {

namespace {

struct NoteLine {
    int index;
    int left, top;
    const char* text;
};

// The lines of the notes in reading order. Two sentences run over two lines each, broken
// where the line is full; the lines never wrap by themselves.
const NoteLine kNoteLines[] = {
    {0, 2685, 1125, "    选配前先将不同型号机床所配带的这些挂轮齿数录入"},
    {24, 2280, 1425, "到本程序的机床挂轮数据表中保存起来，以备以后调用。"},
    {7, 615, 1727, "已经输入过的机床挂轮数据可以在“机床名称”列表中点选调用。"},
    {1, 615, 2028, "按“新增机床型号”按钮出现挂轮齿数编辑窗口，可以输入一个新的机床型号挂轮。"},
    {2, 615, 2329, "按“挂轮齿数编辑”按钮出现挂轮齿数编辑窗口，可以编辑修改当前所示的机床挂轮。"},
    {3, 390, 2630,
     "数据编辑时只要点选一下就行了，列表上没有或重复的齿数找个空位置，改一下齿数即可。"},
    {4, 705, 2955, "新增的机床名称请直接在显示处修改，按一下“回车”键即可，名称改空即删除。"},
    {5, 390, 3262, "“装配条件”参数实际上就是传动轴粗细相当于一个同模数齿轮Zn齿，为了保证Z1与Z2啮"},
    {25, 390, 3563, "合，Z3不能太大，否则Z3的外缘会顶住一轴。同样道理，Z2 + Zn 应< Z3 + Z4。"},
    {6, 630, 3864, "按“选配”按钮前，挂轮选配所“要求速比”请直接在显示处修改。"},
    {8, 630, 4165, "其它未提及的功能大都非常直观，不罗嗦了。"},
};

// Labsmwz(3) keeps a fixed size instead of fitting its text.
constexpr int kFixedLine = 3;
constexpr int kFixedLineWidth = 7275;
constexpr int kFixedLineHeight = 210;

} // namespace

HelpPanel::HelpPanel(MainFace& face, QObject* parent) : QObject(parent), face_(face) {
    createPictures();
    createLabels();
    connectCommands();
}

void HelpPanel::createPictures() {
    const TwipsScale& scale = face_.scale();
    const auto picture = [&](const char* name, int left, int top, int width, int height,
                             const char* file) {
        auto* label = new PictureLabel(face_.panels().PedHelp);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(scale.rect(left, top, width, height));
        label->setPicture(QStringLiteral(":/pictures/") + QString::fromLatin1(file));
        return label;
    };
    Image2 = picture("Image2", 195, 105, 2430, 1485, "help_picture.svg");
    ImgHelpIcon = picture("ImgHelpIcon", 3030, 390, 480, 480, "help_icon.svg");
    ImgStars = picture("ImgStars", 3870, 150, 2355, 330, "stars.svg");
    ImaQuitHelp = picture("ImaQuitHelp", 6885, 420, 480, 480, "close.svg");
    ImaQuitHelp->setToolTip(QStringLiteral("关闭这个窗口"));
}

void HelpPanel::createLabels() {
    const TwipsScale& scale = face_.scale();
    const auto label = [&](const QString& name, int left, int top, const QString& text) {
        auto* line = new QLabel(face_.panels().PedHelp);
        line->setObjectName(name);
        setColour(line, QPalette::WindowText, Qt::black);
        line->move(scale.x(left), scale.y(top));
        setCaption(line, text);
        return line;
    };
    Label7 =
        label(QStringLiteral("Label7"), 3750, 525,
              QStringLiteral("《%1 %2》程序 使用说明")
                  .arg(QString::fromUtf8(kProductNameChinese), QString::fromUtf8(kProductName)));
    LabLXmm[0] = label(QStringLiteral("LabLXmm_0"), 4335, 795,
                       QStringLiteral("Ver ") + QString::fromUtf8(kVersion));
    for (const NoteLine& line : kNoteLines) {
        Labsmwz[line.index] = label(QStringLiteral("Labsmwz_%1").arg(line.index), line.left,
                                    line.top, QString::fromUtf8(line.text));
    }
    QLabel* fixed = Labsmwz.at(kFixedLine);
    fixed->resize(scale.x(kFixedLineWidth), scale.y(kFixedLineHeight));

    // The program has no address of its own yet: the two lines say what holds without one.
    LabLXmm[1] =
        label(QStringLiteral("LabLXmm_1"), 630, 4470,
              QStringLiteral("本程序为自由软件（GNU GPL 第 3 版或更新版本），不提供任何担保。"));
    LabLXmm[2] = label(QStringLiteral("LabLXmm_2"), 1500, 4770,
                       QStringLiteral("软件版本更新，请向本软件的提供者索取。"));
}

void HelpPanel::connectCommands() {
    connect(face_.commands().ComHelp, &ClickableLabel::clicked, this, &HelpPanel::ComHelp_Click);
    connect(face_.commands().LabHelp, &ClickableLabel::clicked, this, &HelpPanel::ComHelp_Click);
    connect(face_.commands().ImaSM, &ClickableLabel::clicked, this, &HelpPanel::ImaSM_Click);
    connect(face_.commands().LabZCSM, &ClickableLabel::clicked, this, &HelpPanel::ImaSM_Click);
    connect(ImaQuitHelp, &ClickableLabel::clicked, this, &HelpPanel::ImaQuitHelp_Click);
}

void HelpPanel::ComHelp_Click() {
    face_.panels().PedHelp->show();
    face_.panels().PedHelp->raise();
}

void HelpPanel::ImaSM_Click() {
    face_.panels().PedHelp->show();
}

void HelpPanel::ImaQuitHelp_Click() {
    face_.panels().PedHelp->hide();
}

} // namespace gearsel
