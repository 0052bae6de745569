// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/face_layout.h"

#include "ui/shape_widget.h"
#include "ui/ui_style.h"
#include "ui/widget_helpers.h"

#include <QWidget>

namespace gearsel {

namespace {

// Twips of the faces of the editor and notes panels.
constexpr int kPanelFaceWidthTwips = 8100;

int coveringPanelHeightTwips(const TwipsScale& scale) {
    return kWindowHeightTwips - 32 * scale.pixelTwipsY();
}

} // namespace

QRect coveringPanelPlace(const TwipsScale& scale) {
    const int width = kPanelFaceWidthTwips + 2 * scale.pixelTwipsX();
    return scale.rect((kWindowWidthTwips - width) / 2, 16 * scale.pixelTwipsY(), width,
                      coveringPanelHeightTwips(scale));
}

QRect coveringPanelFacePlace(const TwipsScale& scale) {
    return scale.rect(scale.pixelTwipsX(), scale.pixelTwipsY(), kPanelFaceWidthTwips,
                      coveringPanelHeightTwips(scale) - 2 * scale.pixelTwipsY());
}

QRect computingNoticePlace(const TwipsScale& scale) {
    // The notice sits a little right of centre: the divisor is 1.7, not 2.
    const int width = 3855;
    return scale.rect(static_cast<int>((kWindowWidthTwips - width) / 1.7), 3192, width, 750);
}

void makePanel(QWidget* panel, const char* name) {
    panel->setObjectName(QString::fromLatin1(name));
    panel->setAutoFillBackground(true);
    setColour(panel, QPalette::Window, style::kPanelBack);
}

void makeCoveringPanel(QWidget* panel, const char* name, const char* faceName, QColor border,
                       QColor fill, const TwipsScale& scale) {
    makePanel(panel, name);
    panel->setGeometry(coveringPanelPlace(scale));
    auto* face = new ShapeWidget(border, fill, panel);
    face->setObjectName(QString::fromLatin1(faceName));
    face->setGeometry(coveringPanelFacePlace(scale));
    panel->hide();
}

} // namespace gearsel
