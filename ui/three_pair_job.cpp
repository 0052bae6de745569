// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/three_pair_job.h"

#include "engine/gearbox_positions.h"
#include "engine/selection.h"

#include <QThread>
#include <chrono>

namespace gearsel {

namespace {

ThreePairOutcome runQuery(const ThreePairQuery& query, const SearchCancel& cancel) {
    ThreePairOutcome outcome;
    const auto started = std::chrono::steady_clock::now();
    try {
        if (query.positions) {
            const auto results = searchPositionsThreePairs(
                query.request, query.ratio, *query.positions, EngineKind::Production, &cancel);
            outcome.cancelled = results.cancelled;
            for (const auto& row : results.rows) {
                const Quantity& required = results.required[row.position];
                outcome.rows.push_back(ThreePairRow{row.slot, required.value(), required.fraction(),
                                                    (*query.positions)[row.position].name});
            }
        } else {
            SearchRequest request = query.request;
            request.requiredRatio = query.ratio.value();
            const ThreePairSelection selection = runThreePairSelection(
                request, query.ratio.fraction(), EngineKind::Production, &cancel);
            outcome.cancelled = selection.cancelled;
            for (const ThreePairSlot& slot : selection.slots) {
                outcome.rows.push_back(
                    ThreePairRow{slot, request.requiredRatio, query.ratio.fraction(), {}});
            }
        }
    } catch (...) {
        outcome.refusal = std::current_exception();
    }
    outcome.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return outcome;
}

} // namespace

ThreePairJob::ThreePairJob(QObject* parent) : QObject(parent) {}

ThreePairJob::~ThreePairJob() {
    if (thread_ != nullptr) {
        cancel_->cancel();
        thread_->wait();
        delete thread_;
    }
}

bool ThreePairJob::start(const ThreePairQuery& query) {
    if (thread_ != nullptr) {
        return false;
    }
    cancel_ = std::make_shared<SearchCancel>();
    auto outcome = std::make_shared<ThreePairOutcome>();
    thread_ = QThread::create([query, outcome, cancel = cancel_, before = beforeSearch_] {
        if (before) {
            before();
        }
        *outcome = runQuery(query, *cancel);
    });
    // The thread's end is handled here, on the window's thread.
    connect(thread_, &QThread::finished, this, [this, outcome] {
        thread_->deleteLater();
        thread_ = nullptr;
        Q_EMIT finished(*outcome);
    });
    thread_->start();
    return true;
}

void ThreePairJob::cancel() {
    if (cancel_) {
        cancel_->cancel();
    }
}

} // namespace gearsel
