// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command captions' hover feedback: a caption turns red while the pointer moves over its
// command (the picture or the caption itself) and black again once the pointer moves over the
// bare surface of its panel. Moving onto any other control changes nothing.

#include <QColor>
#include <QList>
#include <QObject>
#include <vector>

class QWidget;

namespace gearsel {

// A command caption at rest and under the pointer.
inline const QColor kCommandRest{0, 0, 0};
inline const QColor kCommandHover{255, 0, 0};

class HoverFeedback : public QObject {
    Q_OBJECT
public:
    explicit HoverFeedback(QObject* parent = nullptr);

    // The pointer moving over `trigger` turns `caption` red.
    void addCommand(QWidget* trigger, QWidget* caption);
    // The pointer moving over the bare part of `surface` (not over a control on it) turns
    // `captions` black.
    void addResetSurface(QWidget* surface, const QList<QWidget*>& captions);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Command {
        QWidget* trigger;
        QWidget* caption;
    };
    struct Surface {
        QWidget* surface;
        QList<QWidget*> captions;
    };

    std::vector<Command> commands_;
    std::vector<Surface> surfaces_;
};

// Gives a caption's text `colour`.
void setCaptionColour(QWidget* caption, const QColor& colour);

} // namespace gearsel
