// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The notice shown over the main face while a change waits for another program to finish
// changing the data file: what the window waits for, and where the lock it waits for is.

#include "ui/twips_scale.h"

#include <QLabel>

namespace gearsel {

class LockWaitNotice : public QLabel {
    Q_OBJECT
public:
    // Creates the notice, hidden, on the main panel `face`.
    LockWaitNotice(const TwipsScale& scale, QWidget* face);

    // Shows the notice for a wait on the lock file `lockPath`, painted at once: the wait runs
    // without returning to the event loop.
    void showWaitFor(const QString& lockPath);
};

} // namespace gearsel
