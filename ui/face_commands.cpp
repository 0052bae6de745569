// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/face_commands.h"

#include "ui/clickable_label.h"
#include "ui/command_button.h"
#include "ui/hover_feedback.h"
#include "ui/picture_label.h"
#include "ui/widget_helpers.h"

#include <QWidget>

namespace gearsel {

namespace {

using Signal = void (FaceCommands::*)();

// A command with a picture: the button, its picture and place, its caption (the accessible
// name, and the text of the label beside it), what it does and its key.
struct PictureCommand {
    const char* name;
    int left, top, width, height;
    const char* picture;
    const char* caption;
    const char* hoverText;
    const char* key;
    Signal signal;
};

const PictureCommand kPictureCommands[] = {
    {"ImgNewJc", 450, 420, 795, 570, "new_machine.svg",
     QT_TRANSLATE_NOOP("gearsel::FaceCommands", "新增机床型号"),
     QT_TRANSLATE_NOOP("gearsel::FaceCommands", "点这里可以新增一个机床型号的挂轮表"), "Ctrl+N",
     &FaceCommands::newMachineRequested},
    {"ComExit", 7065, 480, 585, 615, "exit.svg", QT_TRANSLATE_NOOP("gearsel::FaceCommands", "退出"),
     "", "Ctrl+Q", &FaceCommands::exitRequested},
    {"ImgEditZ", 330, 2025, 600, 555, "edit_gears.svg",
     QT_TRANSLATE_NOOP("gearsel::FaceCommands", "轮齿数编辑"),
     QT_TRANSLATE_NOOP("gearsel::FaceCommands", "点击这里可以修改挂轮齿数表"), "Ctrl+E",
     &FaceCommands::editGearSetRequested},
    {"ImgPrint", 3847, 4583, 690, 765, "print.svg",
     QT_TRANSLATE_NOOP("gearsel::FaceCommands", "打印"),
     QT_TRANSLATE_NOOP("gearsel::FaceCommands", "打印挂轮选配结果列表"), "Ctrl+P",
     &FaceCommands::printRequested},
    {"ComSave", 630, 4605, 720, 720, "save.svg", QT_TRANSLATE_NOOP("gearsel::FaceCommands", "保存"),
     QT_TRANSLATE_NOOP("gearsel::FaceCommands", "保存编辑修改后的挂轮数据"), "Ctrl+S",
     &FaceCommands::saveGearListRequested},
    {"ComHelp", 2246, 4605, 720, 720, "help.svg",
     QT_TRANSLATE_NOOP("gearsel::FaceCommands", "帮助"),
     QT_TRANSLATE_NOOP("gearsel::FaceCommands", "软件使用方法说明"), "F1",
     &FaceCommands::helpRequested},
    {"ComCHOSE", 5418, 4605, 720, 720, "select.svg",
     QT_TRANSLATE_NOOP("gearsel::FaceCommands", "选配"),
     QT_TRANSLATE_NOOP("gearsel::FaceCommands", "开始进行挂轮选配"), "Ctrl+Return",
     &FaceCommands::selectionRequested},
    {"ImaSM", 7020, 4620, 570, 600, "notes.svg", QT_TRANSLATE_NOOP("gearsel::FaceCommands", "说明"),
     "", "Shift+F1", &FaceCommands::notesRequested},
};

// A caption or bar that starts the command of the button `command` when clicked.
struct CommandCaption {
    const char* name;
    int left, top;
    const char* command;
    const char* text; // the button's caption when empty
};

// The two bars lie behind the captions and pictures beside them, so they come first.
struct CommandBar {
    const char* name;
    int left, top, width, height;
    const char* picture;
    const char* command;
};

const CommandBar kBars[] = {
    {"Imagenew", 750, 750, 1455, 360, "new_machine_bar.svg", "ImgNewJc"},
    {"ImgEdbk", 585, 2160, 1320, 360, "edit_bar.svg", "ImgEditZ"},
};

const CommandCaption kCaptions[] = {
    {"LabExit", 7755, 735, "ComExit", ""},     {"LabNewJc", 1020, 855, "ImgNewJc", ""},
    {"LabXgCsTab", 900, 2265, "ImgEditZ", ""}, {"LabPrint", 4605, 4860, "ImgPrint", ""},
    {"LabSave", 1410, 4875, "ComSave", ""},    {"LabHelp", 3045, 4875, "ComHelp", ""},
    {"LabCHOSE", 6210, 4875, "ComCHOSE", ""},  {"LabZCSM", 7725, 4875, "ImaSM", ""},
};

// The captions that turn red under the pointer, and what turns each red besides itself.
const std::pair<const char*, const char*> kHoverPictures[] = {
    {"ComCHOSE", "LabCHOSE"}, {"ComHelp", "LabHelp"}, {"ComSave", "LabSave"},
    {"ImgPrint", "LabPrint"}, {"ImaSM", "LabZCSM"},
};

} // namespace

QString bannerPicture(int index) {
    return QStringLiteral(":/pictures/banner%1.svg").arg(index);
}

FaceCommands::FaceCommands(const TwipsScale& scale, QWidget* face, QObject* parent)
    : QObject(parent), hover_(new HoverFeedback(this)) {
    for (const CommandBar& bar : kBars) {
        auto* picture = new PictureLabel(face);
        picture->setObjectName(QString::fromLatin1(bar.name));
        picture->setGeometry(scale.rect(bar.left, bar.top, bar.width, bar.height));
        picture->setPicture(QStringLiteral(":/pictures/") + QString::fromLatin1(bar.picture));
    }
    createPictureCommands(scale, face);
    createCaptions(scale, face);
    createCaptionCommands(scale, face);
    for (const CommandBar& bar : kBars) {
        auto* picture = face->findChild<PictureLabel*>(QString::fromLatin1(bar.name));
        connect(picture, &ClickableLabel::clicked, command(bar.command), &CommandButton::click);
    }
}

void FaceCommands::createPictureCommands(const TwipsScale& scale, QWidget* face) {
    for (const PictureCommand& spec : kPictureCommands) {
        CommandButton* button = CommandButton::withPicture(QStringLiteral(":/pictures/") +
                                                               QString::fromLatin1(spec.picture),
                                                           tr(spec.caption), face);
        button->setObjectName(QString::fromLatin1(spec.name));
        button->setGeometry(scale.rect(spec.left, spec.top, spec.width, spec.height));
        if (*spec.hoverText != '\0') {
            button->setHoverText(tr(spec.hoverText));
        }
        button->setKey(QKeySequence(QString::fromLatin1(spec.key)));
        connect(button, &CommandButton::clicked, this, spec.signal);
        commands_.push_back(button);
        if (QString::fromLatin1(spec.name) == QLatin1String("ComCHOSE")) {
            // Enter of the keypad as well as Return.
            button->addKey(QKeySequence(QStringLiteral("Ctrl+Enter")));
        }
    }
    // The banner between them shows another picture when clicked.
    banner_ = new PictureLabel(face);
    banner_->setObjectName(QStringLiteral("ImgBTZ"));
    banner_->setGeometry(scale.rect(2670, 450, 3810, 645));
    banner_->setPicture(bannerPicture(0));
    connect(banner_, &ClickableLabel::clicked, this, &FaceCommands::bannerClicked);
}

void FaceCommands::createCaptions(const TwipsScale& scale, QWidget* face) {
    QList<QWidget*> captions;
    for (const CommandCaption& spec : kCaptions) {
        CommandButton* button = command(spec.command);
        auto* caption = new ClickableLabel(face);
        caption->setObjectName(QString::fromLatin1(spec.name));
        caption->move(scale.x(spec.left), scale.y(spec.top));
        setCaption(caption, button->text());
        caption->setToolTip(button->toolTip());
        caption->setBuddy(button);
        connect(caption, &ClickableLabel::clicked, button, &CommandButton::click);
        hover_->addCommand(caption, caption);
        captions << caption;
    }
    for (const auto& [picture, caption] : kHoverPictures) {
        hover_->addCommand(command(picture),
                           face->findChild<QWidget*>(QString::fromLatin1(caption)));
    }
    hover_->addResetSurface(face, captions);
    // The new-machine caption is black from the start, the others in the system's text colour
    // until the pointer first passes.
    setColour(face->findChild<QWidget*>(QStringLiteral("LabNewJc")), QPalette::WindowText,
              Qt::black);
}

void FaceCommands::createCaptionCommands(const TwipsScale& scale, QWidget* face) {
    // Which gear to buy: a link-like command beside the list heading, without a picture.
    CommandButton* buy = CommandButton::withCaption(tr("买齿轮"), face);
    buy->setObjectName(QStringLiteral("LabBuy"));
    QFont linkFont = buy->font();
    linkFont.setUnderline(true);
    buy->setFont(linkFont);
    buy->resize(buy->sizeHint());
    buy->move(scale.x(2085), scale.y(2265));
    setColour(buy, QPalette::WindowText, QColor(0, 0, 192));
    buy->setCursor(Qt::PointingHandCursor);
    buy->setHoverText(tr("再添一个什么齿数的齿轮，能使要求速比更精确"));
    buy->setKey(QKeySequence(QStringLiteral("Ctrl+B")));
    connect(buy, &CommandButton::clicked, this, &FaceCommands::gearSuggestionsRequested);
    commands_.push_back(buy);

    // The caption of the ratio field opens the ratio helper.
    CommandButton* ratio = CommandButton::withCaption(tr("要求速比："), face);
    ratio->setObjectName(QStringLiteral("Label2"));
    ratio->move(scale.x(4035), scale.y(1425));
    ratio->setCursor(Qt::PointingHandCursor);
    ratio->setHoverText(tr("请在右边方框中输入要求的传动速比") + QLatin1Char('\n') +
                        tr("点这里打开速比计算") + QLatin1Char('\n') +
                        tr("Ctrl+3 打开三对挂轮选配"));
    ratio->setKey(QKeySequence(QStringLiteral("Ctrl+R")));
    connect(ratio, &CommandButton::clicked, this, &FaceCommands::ratioHelperRequested);
    commands_.push_back(ratio);
}

CommandButton* FaceCommands::command(const char* name) const {
    for (CommandButton* button : commands_) {
        if (button->objectName() == QLatin1String(name)) {
            return button;
        }
    }
    return nullptr;
}

void FaceCommands::showBanner(int index) {
    banner_->setPicture(bannerPicture(index));
}

void FaceCommands::setAvailable(bool available) {
    for (CommandButton* button : commands_) {
        button->setEnabled(available);
    }
}

} // namespace gearsel
