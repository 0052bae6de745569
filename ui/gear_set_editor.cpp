// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/gear_set_editor.h"

#include "engine/number_text.h"
#include "engine/search_request.h"
#include "ui/clickable_label.h"
#include "ui/fixed_pitch_label.h"
#include "ui/line_field.h"
#include "ui/picture_label.h"
#include "ui/shape_widget.h"
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

GearSetEditor::GearSetEditor(QWidget* panel, const TwipsScale& scale, QObject* parent)
    : QObject(parent), panel_(panel), scale_(scale) {
    createControls();
    connectFields();
}

void GearSetEditor::createControls() {
    auto label = [this](const char* name, int left, int top, const char* text) {
        auto* l = new ClickableLabel(panel_);
        l->setObjectName(QString::fromLatin1(name));
        l->move(scale_.x(left), scale_.y(top));
        setCaption(l, QString::fromUtf8(text));
        return l;
    };
    auto field = [this](const char* name, int left, int width, const char* text,
                        const char* tooltip) {
        auto* f = new LineField(panel_);
        f->setObjectName(QString::fromLatin1(name));
        f->setGeometry(scale_.rect(left, 248, width, 315));
        f->setAlignment(Qt::AlignCenter);
        f->setFont(style::song(scale_.points(10.5)));
        f->setText(QString::fromUtf8(text));
        f->setToolTip(QString::fromUtf8(tooltip));
        setColour(f, QPalette::Base, style::kFieldBack);
        return f;
    };
    auto button = [this](int left, int top, const QColor& border, const QColor& fill) {
        auto* s = new ShapeWidget(border, fill, panel_);
        s->setGeometry(scale_.rect(left, top, 585, 330));
        return s;
    };

    // The blanks of this caption make room for the two range fields; they are laid out as
    // half-width characters whatever the font, so that "至" and "齿" stand between them.
    auto* rangeCaption = new FixedPitchLabel(panel_);
    rangeCaption->setObjectName(QStringLiteral("Label10"));
    rangeCaption->move(scale_.x(405), scale_.y(315));
    setCaption(rangeCaption, QStringLiteral("选择范围：     至      齿"));
    Text1 = field("Text1", 1260, 435, "15", "按“回车”键后执行");
    Text2 = field("Text2", 1995, 450, "150", "按“回车”键后执行");
    label("Label11", 2880, 315, "改齿数");
    TxG = field("TxG", 3480, 495, "20", "输入后按回车键");
    // Each command label lies on a face with a grey shadow 30 twips below and to the right.
    button(4125, 255, kShadow, kShadow)->setObjectName(QStringLiteral("Shape6_0"));
    button(4095, 225, kButtonBorder, kButtonFace)->setObjectName(QStringLiteral("Shape6_1"));
    LabALLs = label("LabALLs", 4215, 300, "全选");
    button(4875, 255, kShadow, kShadow)->setObjectName(QStringLiteral("Shape6_3"));
    button(4845, 225, kButtonBorder, kButtonFace)->setObjectName(QStringLiteral("Shape6_2"));
    LabFxz = label("LabFxz", 4965, 315, "反选");
    label("Label5", 5655, 225, "已选");
    LabSN = label("LabSN", 5745, 435, "");
    LabSN->setFont(style::song(scale_.points(10.5)));
    LabSN->setToolTip(QStringLiteral("已选择的齿轮个数"));
    setColour(LabSN, QPalette::WindowText, QColor(0, 0, 255));
    setCount(tickedCount_);

    ComNewJcQD = new PictureLabel(panel_);
    ComNewJcQD->setObjectName(QStringLiteral("ComNewJcQD"));
    ComNewJcQD->setGeometry(scale_.rect(6225, 120, 600, 555));
    ComNewJcQD->setPicture(QStringLiteral(":/pictures/editor_save.svg"));
    LabSaveNewJC = label("LabSaveNewJC", 6675, 510, "保存");
    ImgQuitNew = new PictureLabel(panel_);
    ImgQuitNew->setObjectName(QStringLiteral("ImgQuitNew"));
    ImgQuitNew->setGeometry(scale_.rect(7320, 210, 480, 480));
    ImgQuitNew->setPicture(QStringLiteral(":/pictures/close.svg"));
    ImgQuitNew->setToolTip(QStringLiteral("关闭这个窗口"));

    // Three-digit tooth counts must fit beside the tick in 570 twips: one rule for all boxes.
    panel_->setStyleSheet(QStringLiteral("QCheckBox { spacing: 1px; }"));
    for (int i = 0; i < kGearBoxCount; ++i) {
        auto* box = new QCheckBox(i == 0 ? QStringLiteral("15") : QString(), panel_);
        box->setObjectName(QStringLiteral("ZsS_%1").arg(i));
        box->setGeometry(scale_.rect(300, kFirstBoxTop, kBoxWidth, kBoxHeight));
        box->setBackgroundRole(QPalette::Window);
        box->setAutoFillBackground(true);
        setColour(box, QPalette::Window, kBoxBack);
        box->setFocusPolicy(Qt::NoFocus);
        box->setVisible(i == 0);
        connect(box, &QCheckBox::clicked, this, [this, i] { boxClicked(i); });
        ZsS.push_back(box);
    }
    QWidget::setTabOrder(Text1, Text2);
    QWidget::setTabOrder(Text2, TxG);
}

void GearSetEditor::connectFields() {
    for (LineField* f : {Text1, Text2}) {
        connect(f, &QLineEdit::textChanged, this, [this] { rangeChanged_ = true; });
    }
    connect(Text1, &LineField::enterPressed, this, [this] { Text2->setFocus(); });
    connect(Text2, &LineField::enterPressed, this, [this] { TxG->setFocus(); });

    // Each range field keeps its own limits; a correction counts as a change of the range.
    const auto bound = [this](LineField* f, int low, int high) {
        keepWithin(f, low, high);
        if (rangeChanged_) {
            MkChkCL();
        }
    };
    connect(Text1, &LineField::focusLost, this,
            [this, bound] { bound(Text1, kRangeStartMin, kRangeStartMax); });
    connect(Text2, &LineField::focusLost, this,
            [this, bound] { bound(Text2, kRangeEndMin, kRangeEndMax); });

    connect(TxG, &QLineEdit::textChanged, this, [this](const QString& text) {
        ZsS[static_cast<std::size_t>(editIndex_)]->setText(text);
    });
    connect(TxG, &LineField::focusLost, this, [this] { keepWithin(TxG, kMinTeeth, kMaxTeeth); });

    connect(LabALLs, &ClickableLabel::clicked, this, &GearSetEditor::tickAll);
    connect(LabFxz, &ClickableLabel::clicked, this, &GearSetEditor::invert);
    for (ClickableLabel* save : {static_cast<ClickableLabel*>(ComNewJcQD), LabSaveNewJC}) {
        connect(save, &ClickableLabel::clicked, this, [this] {
            if (LabSaveNewJC->isEnabled()) {
                Q_EMIT saveRequested();
            }
        });
    }
    connect(ImgQuitNew, &ClickableLabel::clicked, this, &GearSetEditor::close);
}

void GearSetEditor::show() {
    panel_->show();
    panel_->raise();
}

void GearSetEditor::hide() {
    panel_->hide();
}

void GearSetEditor::close() {
    hide();
    Q_EMIT closed();
}

void GearSetEditor::setRange(int lo, int hi) {
    Text1->setText(QString::number(lo));
    Text2->setText(QString::number(hi));
}

void GearSetEditor::setSaveEnabled(bool enabled) {
    ComNewJcQD->setEnabled(enabled);
    LabSaveNewJC->setEnabled(enabled);
}

void GearSetEditor::boxClicked(int index) {
    editIndex_ = index;
    QCheckBox* box = ZsS[static_cast<std::size_t>(index)];
    TxG->setText(box->text());
    TxG->setFocus();
    setCount(tickedCount_ + (box->isChecked() ? 1 : -1));
}

void GearSetEditor::setTicked(int index, bool ticked) {
    QCheckBox* box = ZsS[static_cast<std::size_t>(index)];
    if (box->isChecked() != ticked) {
        box->setChecked(ticked);
        boxClicked(index);
    }
}

void GearSetEditor::placeBoxes(int count) {
    const int width = panel_->width() * scale_.pixelTwipsX();
    const int height = panel_->height() * scale_.pixelTwipsY();
    const std::vector<BoxPlace> places = layOutBoxes(count, width, height, kFirstBoxTop);
    for (int i = 0; i < kGearBoxCount; ++i) {
        QCheckBox* box = ZsS[static_cast<std::size_t>(i)];
        if (i < static_cast<int>(places.size())) {
            const BoxPlace& place = places[static_cast<std::size_t>(i)];
            box->move(scale_.x(place.left), scale_.y(place.top));
            box->show();
        } else {
            setTicked(i, false);
            box->hide();
        }
    }
}

void GearSetEditor::MkChkCL() {
    const int lo = wholeValueOf(Text1->text());
    const int hi = wholeValueOf(Text2->text());
    const int count = std::clamp(hi - lo + 1, 0, kGearBoxCount);
    placeBoxes(count);
    // Each box gets its caption before its state: a change of state runs the click handling,
    // which hands the box's caption to TxG, and TxG must hold the caption the box keeps.
    for (int i = 0; i < count; ++i) {
        ZsS[static_cast<std::size_t>(i)]->setText(QString::number(lo + i));
        setTicked(i, false);
    }
    setCount(0);
    rangeChanged_ = false;
}

void GearSetEditor::DispGLTab(const std::vector<std::int16_t>& sortedGears) {
    const GearListView view = gearBoxView(sortedGears);
    setRange(view.lo, view.hi);
    const int count = static_cast<int>(view.boxes.size());
    placeBoxes(count);
    for (int i = 0; i < count; ++i) {
        const BoxState& state = view.boxes[static_cast<std::size_t>(i)];
        ZsS[static_cast<std::size_t>(i)]->setText(QString::fromStdString(state.caption));
        setTicked(i, state.ticked);
    }
    setCount(static_cast<int>(sortedGears.size()) - view.unshown);
    rangeChanged_ = false;
}

void GearSetEditor::tickAll() {
    const bool ticking = !clearsAll_;
    clearsAll_ = ticking;
    setCaption(LabALLs, clearsAll_ ? QStringLiteral("全清") : QStringLiteral("全选"));
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
        setTicked(i, !ZsS[static_cast<std::size_t>(i)]->isChecked());
    }
    setCount(count - before);
}

int GearSetEditor::visibleBoxes() const {
    return static_cast<int>(
        std::count_if(ZsS.begin(), ZsS.end(), [](const QCheckBox* b) { return !b->isHidden(); }));
}

void GearSetEditor::setCount(int count) {
    tickedCount_ = count;
    setCaption(LabSN, QString::number(count));
}

std::vector<QString> GearSetEditor::tickedCaptions() const {
    std::vector<QString> captions;
    for (const QCheckBox* box : ZsS) {
        if (!box->isHidden() && box->isChecked()) {
            captions.push_back(box->text());
        }
    }
    return captions;
}

} // namespace gearsel
