// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fonts and colours of the window.

#include <QColor>
#include <QFont>

namespace gearsel::style {

// Registers substitutes for 宋体/SimSun and 黑体/SimHei among the CJK fonts installed, so
// the requested names always find a face that has Chinese glyphs.
void installFontSubstitutions();

// 宋体 at the given point size: 9 pt for labels, check boxes and grids, 10.5 pt for fields.
QFont song(double pointSize);

// Colours shared by several controls.
inline const QColor kPanelBack{208, 255, 255};   // main face and panels
inline const QColor kFieldBack{208, 255, 224};   // text boxes and the machine box
inline const QColor kFrameOuter{47, 175, 143};   // outer colour of the frame
inline const QColor kHeadingBack{208, 208, 255}; // fixed cells of both grids
inline const QColor kGridLines{192, 192, 192};
inline const QColor kComputingBorder{255, 128, 0};

} // namespace gearsel::style
