// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/fit_picture_painter.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace gearsel {
namespace {

QPointF pointOf(PlanePoint p) {
    return {p.x, p.y};
}

// What every part of the painting needs: the painter, the map, the sizes and the colours.
class Canvas {
public:
    Canvas(QPainter& painter, const QRectF& target, const FitPicture& picture,
           const FitPictureColours& colours)
        : painter_(painter), map_(fitPictureTransform(picture.bounds, target)), scale_(map_.m11()),
          colours_(colours) {
        // A pen a 500th and a text a 36th of the shorter side, never below what a screen shows.
        const double side = std::min(target.width(), target.height());
        line_ = std::max(1.0, side / 500.0);
        font_.setPixelSize(std::max(9, static_cast<int>(side / 36.0)));
    }

    void paint(const FitPicture& picture, const QRectF& target) {
        painter_.fillRect(target, colours_.paper);
        painter_.setRenderHint(QPainter::Antialiasing);
        painter_.setRenderHint(QPainter::TextAntialiasing);
        if (picture.slot) {
            paintSlot(*picture.slot);
        }
        for (const PictureGear& gear : picture.gears) {
            paintGear(gear);
        }
        for (const PictureDistance& distance : picture.distances) {
            paintDistance(distance);
        }
        for (const PictureShaft& shaft : picture.shafts) {
            paintShaft(shaft);
        }
        for (const PictureGear& gear : picture.gears) {
            paintToothCount(gear);
        }
    }

private:
    QPointF at(PlanePoint p) const { return map_.map(pointOf(p)); }
    double pixels(double millimetres) const { return millimetres * scale_; }

    QColor gearColour(const PictureGear& gear) const {
        if (gear.place == GearPlace::Idler) {
            return colours_.idler;
        }
        return gear.plane == 0 ? colours_.rear : colours_.front;
    }

    // The slot as a groove with round ends from Rmin to Rmax, and the arcs its ends sweep.
    void paintSlot(const PictureSlot& slot) {
        const QColor edge = slot.red ? colours_.clash : colours_.slot.darker(135);
        painter_.setPen(QPen(edge, line_ * 0.75, Qt::DashLine));
        painter_.setBrush(Qt::NoBrush);
        for (double radius : {slot.innerRadius, slot.outerRadius}) {
            constexpr int kSteps = 48;
            QPolygonF arc;
            for (int k = -kSteps; k <= kSteps; ++k) {
                arc << at(onRay(slot.rayDegrees + slot.sweepDegrees * k / kSteps, radius));
            }
            painter_.drawPolyline(arc);
        }
        const QPointF inner = at(onRay(slot.rayDegrees, slot.innerRadius));
        const QPointF outer = at(onRay(slot.rayDegrees, slot.outerRadius));
        const double width = 2 * pixels(slot.halfWidth);
        const double border = slot.red ? 2.5 * line_ : 1.2 * line_;
        painter_.setPen(QPen(edge, width + 2 * border, Qt::SolidLine, Qt::RoundCap));
        painter_.drawLine(inner, outer);
        painter_.setPen(QPen(colours_.slot, width, Qt::SolidLine, Qt::RoundCap));
        painter_.drawLine(inner, outer);
    }

    static PlanePoint onRay(double degrees, double radius) {
        const double angle = degrees * std::numbers::pi / 180;
        return {radius * std::cos(angle), radius * std::sin(angle)};
    }

    // The gear's body, its outside circle and, dash-dotted, its pitch circle.
    void paintGear(const PictureGear& gear) {
        const QColor colour = gearColour(gear);
        QColor fill = colour;
        fill.setAlpha(40);
        const QPointF centre = at(gear.centre);
        const double outside = pixels(gear.outsideRadius);
        painter_.setBrush(fill);
        painter_.setPen(QPen(gear.red ? colours_.clash : colour, gear.red ? 2.5 * line_ : line_));
        painter_.drawEllipse(centre, outside, outside);
        painter_.setBrush(Qt::NoBrush);
        painter_.setPen(QPen(colour, line_, Qt::DashDotLine));
        const double radius = pixels(gear.pitchRadius);
        painter_.drawEllipse(centre, radius, radius);
    }

    // The tooth count, written over everything else so no line crosses it.
    void paintToothCount(const PictureGear& gear) {
        QFont bold = font_;
        bold.setBold(true);
        bold.setPixelSize(font_.pixelSize() * 5 / 4);
        const QString text = QString::number(gear.teeth);
        paintText(at(gear.labelAt), text, bold, gear.red ? colours_.clash : gearColour(gear));
    }

    void paintDistance(const PictureDistance& distance) {
        const QPointF from = at(distance.from);
        const QPointF to = at(distance.to);
        const QColor colour = distance.red ? colours_.clash : colours_.ink;
        if (distance.dimension) {
            paintDimension(distance, colour);
        } else {
            painter_.setPen(distance.red ? QPen(colour, 2 * line_)
                                         : QPen(colour, line_, Qt::DashDotLine));
            painter_.drawLine(from, to);
        }
        const QString text = QString::fromStdString(distance.text);
        // The side is turned with the picture: y runs downwards on the device.
        const QPointF side(distance.labelSide.x, -distance.labelSide.y);
        const QSizeF box = QFontMetricsF(font_).size(Qt::TextSingleLine, text);
        const double standOff = std::abs(side.x()) * box.width() / 2 +
                                std::abs(side.y()) * box.height() / 2 + 3 * line_;
        paintText(at(distance.labelAt) + side * standOff, text, font_, colour, true);
    }

    // A dimension line with arrowheads, and thin lines out to the shafts it measures, which
    // stand on the line x = 0.
    void paintDimension(const PictureDistance& distance, const QColor& colour) {
        const QPointF from = at(distance.from);
        const QPointF to = at(distance.to);
        painter_.setPen(QPen(colour, line_ * 0.75));
        painter_.drawLine(at({0.0, distance.from.y}), from);
        painter_.drawLine(at({0.0, distance.to.y}), to);
        painter_.drawLine(from, to);
        paintArrowhead(to, from);
        paintArrowhead(from, to);
    }

    void paintArrowhead(QPointF tip, QPointF tail) {
        const QPointF along = tip - tail;
        const double length = std::hypot(along.x(), along.y());
        if (length <= 0.0) {
            return;
        }
        const QPointF u = along / length;
        const QPointF n(-u.y(), u.x());
        const double size = 4 * line_ + font_.pixelSize() / 3.0;
        painter_.setBrush(painter_.pen().color());
        painter_.drawPolygon(
            QPolygonF{tip, tip - u * size + n * size / 3, tip - u * size - n * size / 3});
        painter_.setBrush(Qt::NoBrush);
    }

    // The shaft as a dark disc with its name below it and an arrow round it for its turning.
    void paintShaft(const PictureShaft& shaft) {
        const QPointF centre = at(shaft.centre);
        const double radius = std::max(pixels(shaft.radius), 3 * line_);
        painter_.setPen(QPen(colours_.paper, line_));
        painter_.setBrush(colours_.ink);
        painter_.drawEllipse(centre, radius, radius);
        paintTurning(centre, radius + 3 * line_ + font_.pixelSize() / 4.0, shaft.turning);
        const QString name = shaftName(shaft.role);
        QFont small = font_;
        small.setPixelSize(std::max(8, font_.pixelSize() * 4 / 5));
        const QSizeF box = QFontMetricsF(small).size(Qt::TextSingleLine, name);
        const QPointF side(shaft.nameSide.x, -shaft.nameSide.y);
        const double standOff = radius + 4 * line_ + font_.pixelSize() / 3.0 +
                                std::abs(side.x()) * box.width() / 2 +
                                std::abs(side.y()) * box.height() / 2;
        paintText(centre + side * standOff, name, small, colours_.ink, true);
    }

    // Three quarters of a circle round the shaft, the arrowhead where it turns to.
    void paintTurning(QPointF centre, double radius, int turning) {
        constexpr int kSteps = 24;
        QPolygonF arc;
        // Angles grow anticlockwise as the eye sees them; y runs downwards on the device.
        for (int k = 0; k <= kSteps; ++k) {
            const double angle = (135.0 + turning * 270.0 * k / kSteps) * std::numbers::pi / 180;
            arc << centre + QPointF(radius * std::cos(angle), -radius * std::sin(angle));
        }
        painter_.setPen(QPen(colours_.ink, line_ * 0.9));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawPolyline(arc);
        paintArrowhead(arc.back(), arc[arc.size() - 3]);
    }

    static QString shaftName(ShaftRole role) {
        switch (role) {
        case ShaftRole::Input:
            return QCoreApplication::translate("FitPicture", "输入轴");
        case ShaftRole::Output:
            return QCoreApplication::translate("FitPicture", "输出轴");
        case ShaftRole::Stud:
            return QCoreApplication::translate("FitPicture", "中间轴");
        }
        return {};
    }

    // A line of text centred on `centre`, on a paper-coloured box when it crosses lines.
    void paintText(QPointF centre, const QString& text, const QFont& font, const QColor& colour,
                   bool boxed = false) {
        painter_.setFont(font);
        const QSizeF size = QFontMetricsF(font).size(Qt::TextSingleLine, text);
        const QRectF box(centre.x() - size.width() / 2, centre.y() - size.height() / 2,
                         size.width(), size.height());
        if (boxed) {
            QColor paper = colours_.paper;
            paper.setAlpha(225);
            painter_.setPen(Qt::NoPen);
            painter_.setBrush(paper);
            painter_.drawRoundedRect(box.adjusted(-3 * line_, 0, 3 * line_, 0), 2 * line_,
                                     2 * line_);
            painter_.setBrush(Qt::NoBrush);
        }
        painter_.setPen(colour);
        painter_.drawText(box, Qt::AlignCenter, text);
    }

    QPainter& painter_;
    QTransform map_;
    double scale_;
    const FitPictureColours& colours_;
    double line_ = 1.0;
    QFont font_;
};

} // namespace

QTransform fitPictureTransform(const PictureBounds& bounds, const QRectF& target) {
    const double width = std::max(bounds.right - bounds.left, 1e-9);
    const double height = std::max(bounds.top - bounds.bottom, 1e-9);
    const double scale = std::min(target.width() / width, target.height() / height);
    const double dx = target.left() + (target.width() - scale * width) / 2 - scale * bounds.left;
    const double dy = target.top() + (target.height() - scale * height) / 2 + scale * bounds.top;
    return {scale, 0.0, 0.0, -scale, dx, dy};
}

void paintFitPicture(QPainter& painter, const QRectF& target, const FitPicture& picture,
                     const FitPictureColours& colours) {
    painter.save();
    Canvas(painter, target, picture, colours).paint(picture, target);
    painter.restore();
}

} // namespace gearsel
