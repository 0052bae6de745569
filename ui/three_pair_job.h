// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A three-pair search run on a thread of its own, so that the window stays responsive, and
// stopped on request. One search at a time.

#include "engine/gearbox_position.h"
#include "engine/quantity.h"
#include "engine/search_cancel.h"
#include "engine/search_request.h"
#include "ui/three_pair_row.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QThread;

namespace gearsel {

// What one search is for: the gear set with its options and rules, the number of trains, and
// the ratio; with positions, each position's trains for the ratio divided by its own.
struct ThreePairQuery {
    SearchRequest request; // its ratio is not read
    Quantity ratio = Quantity::whole(1);
    std::optional<std::vector<GearboxPosition>> positions;
};

class ThreePairJob : public QObject {
    Q_OBJECT
public:
    explicit ThreePairJob(QObject* parent = nullptr);
    // Stops a search still running and waits for its thread.
    ~ThreePairJob() override;

    // Starts the search; false while another one runs.
    bool start(const ThreePairQuery& query);
    // Asks the running search to stop; it then finishes without rows, marked cancelled.
    void cancel();
    bool running() const { return thread_ != nullptr; }

    // Runs on the search's thread just before the search: lets a test hold the search back.
    void setBeforeSearch(std::function<void()> hook) { beforeSearch_ = std::move(hook); }

Q_SIGNALS:
    void finished(const gearsel::ThreePairOutcome& outcome);

private:
    QThread* thread_ = nullptr;
    std::shared_ptr<SearchCancel> cancel_;
    std::function<void()> beforeSearch_;
};

} // namespace gearsel
