// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three-pair page: lists the best three-pair trains z1/z2 x z3/z4 x z5/z6 of the machine's
// gear set for the required ratio (the main face's, or one typed here), with the face's
// options and the machine's rules. The search runs on a thread of its own; one that takes
// longer than 0.3 s shows that it is working and can be cancelled. The list can be printed.

#include "engine/gearbox_position.h"
#include "engine/quantity.h"
#include "engine/search_request.h"

#include <QDialog>
#include <QElapsedTimer>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;
class QTimer;

namespace gearsel {

class Prompter;
class ThreePairJob;
class ThreePairTableModel;
struct ThreePairOutcome;

// What the page searches on, as the main face holds it when the page is opened.
struct ThreePairBasis {
    SearchRequest options; // gears, Zn, repeats, the machine's rules and the count
    QString machineName;
    QString ratioText;                                     // the face's ratio field
    Quantity ratio = Quantity::whole(1);                   // the ratio its searches use
    std::optional<std::vector<GearboxPosition>> positions; // where that ratio is a thread's
};

class ThreePairDialog : public QDialog {
    Q_OBJECT
public:
    // `prompter` tells what cannot be searched and must outlive the page.
    explicit ThreePairDialog(Prompter& prompter, QWidget* parent = nullptr);
    ~ThreePairDialog() override;

    // Takes the face's ratio, count, options and rules; the list shown before is cleared.
    void prepare(const ThreePairBasis& basis);
    ThreePairJob& job() { return *job_; }

public Q_SLOTS:
    // Starts the search with the fields as they stand (选配).
    void search();
    // Stops a running search; the list stays empty.
    void cancelSearch();
    // Prints the list, or offers it as a PDF file.
    void print();
    void reject() override;

private:
    void showOutcome(const ThreePairOutcome& outcome);
    void showWorking();
    void setRunning(bool running);
    QString rulesText(const ThreePairBasis& basis) const;

    Prompter& prompter_;
    ThreePairBasis basis_;
    bool ratioTyped_ = false; // the ratio field no longer shows the face's ratio
    QString searchedRatioText_;
    QLineEdit* ratio_ = nullptr;
    QSpinBox* count_ = nullptr;
    QLabel* rules_ = nullptr;
    QPushButton* search_ = nullptr;
    QPushButton* print_ = nullptr;
    QWidget* working_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* elapsed_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* status_ = nullptr;
    ThreePairTableModel* rows_ = nullptr;
    ThreePairJob* job_ = nullptr;
    QTimer* tick_ = nullptr;
    QElapsedTimer clock_;
};

} // namespace gearsel
