// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_panel.h"

#include "base/version.h"
#include "ui/command_button.h"
#include "ui/face_layout.h"
#include "ui/picture_label.h"
#include "ui/widget_helpers.h"
#include "ui/window_language.h"

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
    {0, 2685, 1125,
     QT_TRANSLATE_NOOP("gearsel::HelpPanel", "    选配前先将不同型号机床所配带的这些挂轮齿数录入")},
    {24, 2280, 1425,
     QT_TRANSLATE_NOOP("gearsel::HelpPanel", "到本程序的机床挂轮数据表中保存起来，以备以后调用。")},
    {7, 615, 1727,
     QT_TRANSLATE_NOOP("gearsel::HelpPanel",
                       "已经输入过的机床挂轮数据可以在“机床名称”列表中点选调用。")},
    {1, 615, 2028,
     QT_TRANSLATE_NOOP("gearsel::HelpPanel",
                       "按“新增机床型号”按钮出现挂轮齿数编辑窗口，可以输入一个新的机床型号挂轮。")},
    {2, 615, 2329,
     QT_TRANSLATE_NOOP(
         "gearsel::HelpPanel",
         "按“挂轮齿数编辑”按钮出现挂轮齿数编辑窗口，可以编辑修改当前所示的机床挂轮。")},
    {3, 390, 2630,
     QT_TRANSLATE_NOOP(
         "gearsel::HelpPanel",
         "数据编辑时只要点选一下就行了，列表上没有或重复的齿数找个空位置，改一下齿数即可。")},
    {4, 705, 2955,
     QT_TRANSLATE_NOOP("gearsel::HelpPanel",
                       "新增的机床名称请直接在显示处修改，按一下“回车”键即可，名称改空即删除。")},
    {5, 390, 3262,
     QT_TRANSLATE_NOOP(
         "gearsel::HelpPanel",
         "“装配条件”参数实际上就是传动轴粗细相当于一个同模数齿轮Zn齿，为了保证Z1与Z2啮")},
    {25, 390, 3563,
     QT_TRANSLATE_NOOP("gearsel::HelpPanel",
                       "合，Z3不能太大，否则Z3的外缘会顶住一轴。同样道理，Z2 + Zn 应< Z3 + Z4。")},
    {6, 630, 3864,
     QT_TRANSLATE_NOOP("gearsel::HelpPanel",
                       "按“选配”按钮前，挂轮选配所“要求速比”请直接在显示处修改。")},
    {8, 630, 4165,
     QT_TRANSLATE_NOOP("gearsel::HelpPanel", "其它未提及的功能大都非常直观，不罗嗦了。")},
};

// Labsmwz(3) keeps a fixed size instead of fitting its text.
constexpr int kFixedLine = 3;
constexpr int kFixedLineWidth = 7275;
constexpr int kFixedLineHeight = 210;

} // namespace

HelpPanel::HelpPanel(const TwipsScale& scale, QWidget* face) : QWidget(face) {
    makeCoveringPanel(this, "PedHelp", "Shape1", QColor(255, 128, 0), QColor(232, 232, 255), scale);
    createPictures(scale);
    createLines(scale);
}

void HelpPanel::createPictures(const TwipsScale& scale) {
    const auto picture = [&](const char* name, int left, int top, int width, int height,
                             const char* file) {
        auto* label = new PictureLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(scale.rect(left, top, width, height));
        label->setPicture(QStringLiteral(":/pictures/") + QString::fromLatin1(file));
    };
    picture("Image2", 195, 105, 2430, 1485, "help_picture.svg");
    picture("ImgHelpIcon", 3030, 390, 480, 480, "help_icon.svg");
    picture("ImgStars", 3870, 150, 2355, 330, "stars.svg");
    CommandButton* close =
        CommandButton::withPicture(QStringLiteral(":/pictures/close.svg"), tr("关闭"), this);
    close->setObjectName(QStringLiteral("ImaQuitHelp"));
    close->setGeometry(scale.rect(6885, 420, 480, 480));
    close->setHoverText(tr("关闭这个窗口"));
    // Esc closes the notes through the window's panel keys.
    close->nameKey(QKeySequence(Qt::Key_Escape));
    connect(close, &CommandButton::clicked, this, &QWidget::hide);
    // The notes, shown, give the focus to their close command.
    setFocusProxy(close);
}

void HelpPanel::createLines(const TwipsScale& scale) {
    const auto line = [&](const QString& name, int left, int top, const QString& text) {
        QLabel* label =
            makeCaption(this, qPrintable(name), QPoint(scale.x(left), scale.y(top)), text);
        setColour(label, QPalette::WindowText, Qt::black);
        return label;
    };
    line(QStringLiteral("Label7"), 3750, 525, tr("《%1》程序 使用说明").arg(productName()));
    line(QStringLiteral("LabLXmm_0"), 4335, 795,
         QStringLiteral("Ver ") + QString::fromUtf8(kVersion));
    for (const NoteLine& note : kNoteLines) {
        QLabel* label =
            line(QStringLiteral("Labsmwz_%1").arg(note.index), note.left, note.top, tr(note.text));
        if (note.index == kFixedLine) {
            label->resize(scale.x(kFixedLineWidth), scale.y(kFixedLineHeight));
        }
    }
    // The program has no address of its own yet: the two lines say what holds without one.
    line(QStringLiteral("LabLXmm_1"), 630, 4470,
         tr("本程序为自由软件（GNU GPL 第 3 版或更新版本），不提供任何担保。"));
    line(QStringLiteral("LabLXmm_2"), 1500, 4770, tr("软件版本更新，请向本软件的提供者索取。"));
}

void HelpPanel::showInFront() {
    show();
    raise();
}

void HelpPanel::showInPlace() {
    show();
}

} // namespace gearsel
