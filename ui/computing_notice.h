// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The computing notice PicZZJS: a picture in an orange frame, shown over the main face while a
// search runs.

#include "ui/twips_scale.h"

#include <QWidget>

namespace gearsel {

class ComputingNotice : public QWidget {
    Q_OBJECT
public:
    // Creates the notice, hidden, at its place on the main panel `face`.
    ComputingNotice(const TwipsScale& scale, QWidget* face);

    // Shows the notice in front of everything and paints it at once: the work that follows
    // runs without returning to the event loop.
    void showNow();
};

} // namespace gearsel
