// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An image control: shows one of the program's pictures scaled to the control's size.

#include "ui/clickable_label.h"

namespace gearsel {

class PictureLabel : public ClickableLabel {
    Q_OBJECT
public:
    explicit PictureLabel(QWidget* parent = nullptr);

    // Shows the picture at `resource` (":/pictures/...svg" or a PNG), stretched to the size.
    void setPicture(const QString& resource);
    // The resource shown.
    QString picture() const { return resource_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void render();
    QString resource_;
};

// Renders a picture resource at `size` logical pixels for a screen of `ratio` device pixels
// per logical pixel; an empty pixmap when the resource cannot be read.
QPixmap renderPicture(const QString& resource, QSize size, qreal ratio = 1.0);

} // namespace gearsel
