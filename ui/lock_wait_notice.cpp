// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/lock_wait_notice.h"

#include "ui/ui_style.h"

#include <QDir>

namespace gearsel {

LockWaitNotice::LockWaitNotice(const TwipsScale& scale, QWidget* face) : QLabel(face) {
    setObjectName(QStringLiteral("lockWait"));
    setGeometry(scale.rect(1020, 2580, 6600, 1035));
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setMargin(scale.x(120));
    // In the colours of the computing notice.
    setStyleSheet(QStringLiteral("QLabel { background-color: rgb(208, 255, 255); "
                                 "border: 1px solid rgb(%1, %2, %3); }")
                      .arg(style::kComputingBorder.red())
                      .arg(style::kComputingBorder.green())
                      .arg(style::kComputingBorder.blue()));
    hide();
}

void LockWaitNotice::showWaitFor(const QString& lockPath) {
    setText(tr("另一个程序正在修改数据文件，正在等它改完……\n锁文件：%1")
                .arg(QDir::toNativeSeparators(lockPath)));
    show();
    raise();
    repaint();
}

} // namespace gearsel
