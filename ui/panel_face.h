// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The painted face of the main panel: the frame and dots are painted once, at load, into an
// image of the panel's size, which the panel then shows behind its controls for good.

#include <QColor>
#include <QImage>
#include <QObject>
#include <functional>

class QWidget;

namespace gearsel {

class PanelFace : public QObject {
    Q_OBJECT
public:
    // Paints the face for `panel` as it is now sized: the frame from `frame` into the panel's
    // own background colour, and the dots from `uniform` (numbers in [0, 1)). The face belongs
    // to the panel and is shown until the panel goes.
    PanelFace(QWidget* panel, QColor frame, const std::function<double()>& uniform);

    // The painted face, one image pixel per panel pixel.
    const QImage& image() const { return image_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* panel_;
    QImage image_;
};

// DrawKj and PedBakCPut at load: gives `panel` its painted face.
void paintPanelFace(QWidget* panel, QColor frame, const std::function<double()>& uniform);

} // namespace gearsel
