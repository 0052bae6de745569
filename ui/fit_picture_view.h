// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shows the picture of a listed train as its page paints it (print/fit_picture_page.h), at
// whatever size the widget has; a screen reader reads the page's lines as its description.

#include "print/fit_picture_content.h"

#include <QWidget>
#include <optional>

namespace gearsel {

class FitPictureView : public QWidget {
    Q_OBJECT
public:
    explicit FitPictureView(QWidget* parent = nullptr);

    void showContent(const FitPictureContent& content);
    // Says that the list holds no train to draw.
    void showNoTrain();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static QString noTrainText();

    std::optional<FitPictureContent> content_;
};

} // namespace gearsel
