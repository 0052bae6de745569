// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command labels' hover feedback: a label turns red while the pointer moves over its
// command (the picture or the label itself) and black again once the pointer moves over the
// bare surface of its panel. Moving onto any other control changes nothing.

#include <QColor>
#include <QList>
#include <QObject>
#include <vector>

class QLabel;
class QWidget;

namespace gearsel {

class MainFace;

// A command label at rest and under the pointer.
inline const QColor kCommandRest{0, 0, 0};
inline const QColor kCommandHover{255, 0, 0};

class HoverFeedback : public QObject {
    Q_OBJECT
public:
    // Installs the feedback of the main face's commands, with Ped0 as their bare surface.
    explicit HoverFeedback(MainFace& face, QObject* parent = nullptr);

    // The pointer moving over `trigger` turns `label` red.
    void addCommand(QWidget* trigger, QLabel* label);
    // The pointer moving over the bare part of `surface` (not over a control on it) turns
    // `labels` black.
    void addResetSurface(QWidget* surface, const QList<QLabel*>& labels);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Command {
        QWidget* trigger;
        QLabel* label;
    };
    struct Surface {
        QWidget* surface;
        QList<QLabel*> labels;
    };

    std::vector<Command> commands_;
    std::vector<Surface> surfaces_;
};

// Gives a label's text `colour`.
void setLabelColour(QLabel* label, const QColor& colour);

} // namespace gearsel
