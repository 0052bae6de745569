// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/gear_set_editor.h"

#include "engine/number_text.h"
#include "engine/search_request.h"
#include "ui/clickable_label.h"
#include "ui/command_button.h"
#include "ui/face_layout.h"
#include "ui/fixed_pitch_label.h"
#include "ui/hover_feedback.h"
#include "ui/line_field.h"
#include "ui/shape_widget.h"
#include "ui/tooth_box_keys.h"
#include "ui/ui_style.h"
#include "ui/widget_helpers.h"

#include <QCheckBox>
#include <algorithm>

namespace gearsel {

namespace {

// Top of the first row of boxes, in twips inside the panel.
constexpr int kFirstBoxTop = 765;
constexpr int kBoxWidth = 570;
constexpr int kBoxHeight = 315;
const QColor kBoxBack(192, 255, 239);
const QColor kButtonFace(255, 224, 192);
const QColor kButtonBorder(255, 192, 128);
const QColor kShadow(192, 192, 192);

// A field whose value lies outside [low, high] shows the nearer bound; a value inside keeps
// the text as typed. The value read is not rounded for this test.
void keepWithin(LineField* field, int low, int high) {
    const double value = readNumber(field->text().toStdString());
    if (value < low) {
        field->setText(QString::number(low));
    } else if (value > high) {
        field->setText(QString::number(high));
    }
}

int wholeValueOf(const QString& text) {
    return readWholeNumber(text.toStdString(), -1000000, 1000000);
}

} // namespace

GearSetEditor::GearSetEditor(const TwipsScale& scale, QWidget* face)
    : QWidget(face), scale_(scale), hover_(new HoverFeedback(this)) {
    makeCoveringPanel(this, "PedNewJC", "Shape2", QColor(0, 192, 192), QColor(192, 255, 239),
                      scale);
    createFields(scale);
    createCommands(scale);
    createBoxes(scale);
    connectFields();
    setTabOrder();
}

void GearSetEditor::createFields(const TwipsScale& scale) {
    const auto field = [&](const char* name, int left, int width, const QString& text,
                           const QString& toolTip) {
        auto* f = new LineField(this);
        f->setObjectName(QString::fromLatin1(name));
        f->setGeometry(scale.rect(left, 248, width, 315));
        f->setAlignment(Qt::AlignCenter);
        f->setFont(style::song(scale.points(10.5)));
        f->setText(text);
        f->setToolTip(toolTip);
        setColour(f, QPalette::Base, style::kFieldBack);
        return f;
    };
    // The blanks of this caption make room for the two range fields; they are laid out as
    // half-width characters whatever the font, so that "至" and "齿" stand between them.
    auto* rangeCaption = new FixedPitchLabel(this);
    rangeCaption->setObjectName(QStringLiteral("Label10"));
    rangeCaption->move(scale.x(405), scale.y(315));
    setCaption(rangeCaption, tr("选择范围：     至      齿"));
    const QString confirm = tr("按“回车”键后执行");
    rangeStart_ = field("Text1", 1260, 435, QStringLiteral("15"), confirm);
    rangeStart_->setAccessibleName(tr("选择范围：起始齿数"));
    rangeEnd_ = field("Text2", 1995, 450, QStringLiteral("150"), confirm);
    rangeEnd_->setAccessibleName(tr("选择范围：终止齿数"));
    QLabel* captionName =
        makeCaption(this, "Label11", QPoint(scale.x(2880), scale.y(315)), tr("改齿数"));
    caption_ = field("TxG", 3480, 495, QStringLiteral("20"), tr("输入后按回车键"));
    captionName->setBuddy(caption_);
}

void GearSetEditor::createCommands(const TwipsScale& scale) {
    const auto face = [&](const char* name, int left, int top, const QColor& border,
                          const QColor& fill) {
        auto* s = new ShapeWidget(border, fill, this);
        s->setObjectName(QString::fromLatin1(name));
        s->setGeometry(scale.rect(left, top, 585, 330));
    };
    const auto command = [&](const char* name, int left, int top, const QString& caption,
                             const char* key) {
        CommandButton* button = CommandButton::withCaption(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->move(scale.x(left), scale.y(top));
        button->setKey(QKeySequence(QString::fromLatin1(key)));
        hover_->addCommand(button, button);
        return button;
    };
    // Each of the two commands lies on a face with a grey shadow 30 twips below and right.
    face("Shape6_0", 4125, 255, kShadow, kShadow);
    face("Shape6_1", 4095, 225, kButtonBorder, kButtonFace);
    tickAll_ = command("LabALLs", 4215, 300, tr("全选"), "Alt+A");
    face("Shape6_3", 4875, 255, kShadow, kShadow);
    face("Shape6_2", 4845, 225, kButtonBorder, kButtonFace);
    invert_ = command("LabFxz", 4965, 315, tr("反选"), "Alt+I");

    makeCaption(this, "Label5", QPoint(scale.x(5655), scale.y(225)), tr("已选"));
    count_ = makeCaption(this, "LabSN", QPoint(scale.x(5745), scale.y(435)), QString(),
                         tr("已选择的齿轮个数"));
    count_->setFont(style::song(scale.points(10.5)));
    setColour(count_, QPalette::WindowText, QColor(0, 0, 255));
    setCount(tickedCount_);

    save_ =
        CommandButton::withPicture(QStringLiteral(":/pictures/editor_save.svg"), tr("保存"), this);
    save_->setObjectName(QStringLiteral("ComNewJcQD"));
    save_->setGeometry(scale.rect(6225, 120, 600, 555));
    save_->setKey(QKeySequence(QStringLiteral("Ctrl+S")));
    auto* saveCaption = new ClickableLabel(this);
    saveCaption->setObjectName(QStringLiteral("LabSaveNewJC"));
    saveCaption->move(scale.x(6675), scale.y(510));
    setCaption(saveCaption, save_->text());
    saveCaption->setToolTip(save_->toolTip());
    saveCaption->setBuddy(save_);
    saveCaption_ = saveCaption;
    connect(saveCaption, &ClickableLabel::clicked, save_, &CommandButton::click);
    hover_->addCommand(save_, saveCaption);
    hover_->addCommand(saveCaption, saveCaption);

    close_ = CommandButton::withPicture(QStringLiteral(":/pictures/close.svg"), tr("关闭"), this);
    close_->setObjectName(QStringLiteral("ImgQuitNew"));
    close_->setGeometry(scale.rect(7320, 210, 480, 480));
    close_->setHoverText(tr("关闭这个窗口"));
    // Esc closes the panel through the window's panel keys.
    close_->nameKey(QKeySequence(Qt::Key_Escape));
    hover_->addResetSurface(this, {saveCaption, invert_, tickAll_});
}

void GearSetEditor::createBoxes(const TwipsScale& scale) {
    // Three-digit tooth counts must fit beside the tick in 570 twips: one rule for all boxes.
    setStyleSheet(QStringLiteral("QCheckBox { spacing: 1px; }"));
    for (int i = 0; i < kGearBoxCount; ++i) {
        auto* b = new QCheckBox(i == 0 ? QStringLiteral("15") : QString(), this);
        b->setObjectName(QStringLiteral("ZsS_%1").arg(i));
        b->setGeometry(scale.rect(300, kFirstBoxTop, kBoxWidth, kBoxHeight));
        b->setBackgroundRole(QPalette::Window);
        b->setAutoFillBackground(true);
        setColour(b, QPalette::Window, kBoxBack);
        b->setVisible(i == 0);
        connect(b, &QCheckBox::clicked, this, [this, i] { boxClicked(i); });
        boxes_.push_back(b);
    }
}

void GearSetEditor::setTabOrder() {
    QWidget* order[] = {rangeStart_, rangeEnd_, caption_, tickAll_, invert_, save_, close_};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
    // The boxes take one place, between the range and the caption editor.
    boxKeys_ = new ToothBoxKeys(boxes_, rangeEnd_, caption_, this);
    // The panel, shown, gives the focus to the caption editor.
    setFocusProxy(caption_);
}

void GearSetEditor::connectFields() {
    for (LineField* f : {rangeStart_, rangeEnd_}) {
        connect(f, &QLineEdit::textChanged, this, [this] { rangeChanged_ = true; });
    }
    connect(rangeStart_, &LineField::enterPressed, this, [this] { rangeEnd_->setFocus(); });
    connect(rangeEnd_, &LineField::enterPressed, this, [this] { caption_->setFocus(); });

    // Each range field keeps its own limits; a correction counts as a change of the range.
    const auto bound = [this](LineField* f, int low, int high) {
        keepWithin(f, low, high);
        if (rangeChanged_) {
            layOutEmptyBoxes();
        }
    };
    connect(rangeStart_, &LineField::focusLost, this,
            [this, bound] { bound(rangeStart_, kRangeStartMin, kRangeStartMax); });
    connect(rangeEnd_, &LineField::focusLost, this,
            [this, bound] { bound(rangeEnd_, kRangeEndMin, kRangeEndMax); });

    connect(caption_, &QLineEdit::textChanged, this,
            [this](const QString& text) { box(editIndex_)->setText(text); });
    connect(caption_, &LineField::focusLost, this,
            [this] { keepWithin(caption_, kMinTeeth, kMaxTeeth); });

    connect(tickAll_, &CommandButton::clicked, this, &GearSetEditor::tickAll);
    connect(invert_, &CommandButton::clicked, this, &GearSetEditor::invert);
    connect(save_, &CommandButton::clicked, this, &GearSetEditor::saveRequested);
    connect(close_, &CommandButton::clicked, this, &GearSetEditor::discard);
}

void GearSetEditor::showInFront() {
    show();
    raise();
}

void GearSetEditor::discard() {
    hide();
    Q_EMIT discarded();
}

void GearSetEditor::setRange(int lo, int hi) {
    rangeStart_->setText(QString::number(lo));
    rangeEnd_->setText(QString::number(hi));
}

void GearSetEditor::setSaveEnabled(bool enabled) {
    save_->setEnabled(enabled);
    saveCaption_->setEnabled(enabled);
}

void GearSetEditor::boxClicked(int index) {
    editIndex_ = index;
    QCheckBox* clicked = box(index);
    caption_->setText(clicked->text());
    // A box ticked from the keyboard keeps the focus, so that the arrows go on from there.
    if (!clicked->hasFocus()) {
        caption_->setFocus();
    }
    setCount(tickedCount_ + (clicked->isChecked() ? 1 : -1));
}

void GearSetEditor::setTicked(int index, bool ticked) {
    if (box(index)->isChecked() != ticked) {
        box(index)->setChecked(ticked);
        boxClicked(index);
    }
}

void GearSetEditor::placeBoxes(int count) {
    const int width = this->width() * scale_.pixelTwipsX();
    const int height = this->height() * scale_.pixelTwipsY();
    const std::vector<BoxPlace> places = layOutBoxes(count, width, height, kFirstBoxTop);
    for (int i = 0; i < kGearBoxCount; ++i) {
        if (i < static_cast<int>(places.size())) {
            const BoxPlace& place = places[static_cast<std::size_t>(i)];
            box(i)->move(scale_.x(place.left), scale_.y(place.top));
            box(i)->show();
        } else {
            setTicked(i, false);
            box(i)->hide();
        }
    }
    boxKeys_->keepStopVisible();
}

void GearSetEditor::layOutEmptyBoxes() {
    const int lo = wholeValueOf(rangeStart_->text());
    const int hi = wholeValueOf(rangeEnd_->text());
    const int count = std::clamp(hi - lo + 1, 0, kGearBoxCount);
    placeBoxes(count);
    // Each box gets its caption before its state: a change of state runs the click handling,
    // which hands the box's caption to the caption editor, which must hold the caption the
    // box keeps.
    for (int i = 0; i < count; ++i) {
        box(i)->setText(QString::number(lo + i));
        setTicked(i, false);
    }
    setCount(0);
    rangeChanged_ = false;
}

void GearSetEditor::showGearList(const std::vector<std::int16_t>& sortedGears) {
    const GearListView view = gearBoxView(sortedGears);
    setRange(view.lo, view.hi);
    const int count = static_cast<int>(view.boxes.size());
    placeBoxes(count);
    for (int i = 0; i < count; ++i) {
        const BoxState& state = view.boxes[static_cast<std::size_t>(i)];
        box(i)->setText(QString::fromStdString(state.caption));
        setTicked(i, state.ticked);
    }
    setCount(static_cast<int>(sortedGears.size()) - view.unshown);
    rangeChanged_ = false;
}

void GearSetEditor::tickAll() {
    const bool ticking = !clearsAll_;
    clearsAll_ = ticking;
    tickAll_->setText(clearsAll_ ? tr("全清") : tr("全选"));
    tickAll_->resize(tickAll_->sizeHint());
    // Only the boxes laid out take part: a range typed but not yet confirmed is not.
    const int count = visibleBoxes();
    for (int i = 0; i < count; ++i) {
        setTicked(i, ticking);
    }
    setCount(ticking ? count : 0);
}

void GearSetEditor::invert() {
    const int before = tickedCount_;
    const int count = visibleBoxes();
    for (int i = 0; i < count; ++i) {
        setTicked(i, !box(i)->isChecked());
    }
    setCount(count - before);
}

int GearSetEditor::visibleBoxes() const {
    return static_cast<int>(std::count_if(boxes_.begin(), boxes_.end(),
                                          [](const QCheckBox* b) { return !b->isHidden(); }));
}

void GearSetEditor::setCount(int count) {
    tickedCount_ = count;
    setCaption(count_, QString::number(count));
}

std::vector<QString> GearSetEditor::tickedCaptions() const {
    std::vector<QString> captions;
    for (const QCheckBox* b : boxes_) {
        if (!b->isHidden() && b->isChecked()) {
            captions.push_back(b->text());
        }
    }
    return captions;
}

} // namespace gearsel
