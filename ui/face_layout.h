// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's size and where the panels shown over its main face lie: the gear-set editor
// and the usage notes cover the face but for a margin of 16 pixels that shows its frame, the
// computing notice sits a little right of the middle.

#include "ui/twips_scale.h"

#include <QColor>
#include <QRect>

class QWidget;

namespace gearsel {

// The window, and its main panel Ped0, in twips.
inline constexpr int kWindowWidthTwips = 8640;
inline constexpr int kWindowHeightTwips = 5700;

// The place of a panel that covers the main face, in pixels inside the main panel.
QRect coveringPanelPlace(const TwipsScale& scale);
// The place of the rounded face inside such a panel, one pixel in from its edges.
QRect coveringPanelFacePlace(const TwipsScale& scale);
// The place of the computing notice inside the main panel.
QRect computingNoticePlace(const TwipsScale& scale);

// Names `panel` and fills it with the panels' colour.
void makePanel(QWidget* panel, const char* name);
// Makes `panel` a panel that covers the main face, hidden, with its rounded face `faceName`
// drawn in `border` and filled with `fill`.
void makeCoveringPanel(QWidget* panel, const char* name, const char* faceName, QColor border,
                       QColor fill, const TwipsScale& scale);

} // namespace gearsel
