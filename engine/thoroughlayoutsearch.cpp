#include "engine/thoroughlayoutsearch.h"

#include "engine/cuttingplanner.h"
#include "engine/cuttingsheetbound.h"
#include "engine/internal/layoutoutcomes.h"
#include "engine/internal/requiredresult.h"
#include "engine/thoroughnesting.h"
#include "geometry/shapecopy.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <variant>

namespace tallero {

namespace {

// Steps of the search for a layout's lower bound: a few milliseconds.
constexpr qint64 layoutBoundSteps = 200000;

// Runs work(i, worker) for i = 0 .. count-1 on up to `workerCount` threads,
// the calling thread being worker 0; every index is done by one thread.
// Stops handing out indexes once a worker reports a cancel.
bool runInParallel(qsizetype count, int workerCount,
                   const std::function<void(qsizetype, int)> &work)
{
    std::atomic<qsizetype> next{0};
    std::atomic<bool> cancelled{false};
    const auto worker = [&](int id) {
        for (qsizetype i = next++; i < count && !cancelled; i = next++) {
            try {
                work(i, id);
            } catch (const PlanCancelled &) {
                cancelled = true;
            }
        }
    };
    std::vector<std::thread> threads;
    try {
        for (int id = 1; id < workerCount; ++id)
            threads.emplace_back(worker, id);
    } catch (...) {
        // A thread the system refused is no failure: the others do its share.
    }
    worker(0);
    for (std::thread &thread : threads)
        thread.join();
    return !cancelled;
}

// Progress of one round over its layouts, mapped into [from, to] of the
// whole search; never goes back, whichever thread reports.
class RoundProgress
{
public:
    RoundProgress(const ProgressCallback &callback, qsizetype count, double from, double to)
        : m_callback(callback), m_done(count, 0.0), m_from(from), m_to(to)
    {
    }

    void report(qsizetype index, const LayoutChoice &choice, double fraction)
    {
        if (!m_callback)
            return;
        const std::lock_guard lock(m_mutex);
        m_done[index] = std::max(m_done[index], std::clamp(fraction, 0.0, 1.0));
        double sum = 0.0;
        for (double done : m_done)
            sum += done;
        const double overall = m_from + (m_to - m_from) * sum / double(m_done.size());
        if (overall < m_reported)
            return;
        m_reported = overall;
        m_callback(PlanProgress{overall, choice});
    }

private:
    const ProgressCallback &m_callback;
    std::mutex m_mutex;
    QList<double> m_done;
    double m_from;
    double m_to;
    double m_reported = 0.0;
};

// The cut pieces of a plan by piece index.
QList<Shape> cutPieces(const CuttingPlan &plan)
{
    QList<Shape> pieces(cutPieceCount(plan));
    for (const GridCell &cell : plan.cells) {
        if (!cell.whole)
            pieces[cell.pieceIndex] = cell.shape;
    }
    return pieces;
}

} // namespace

LayoutSearchResult searchBestLayoutThoroughly(const Shape &outline, double w, double h, double g,
                                              const PlanControl &control, int threads)
{
    const QList<LayoutChoice> choices = layoutChoices();
    const qsizetype count = choices.size();
    if (threads <= 0)
        threads = QThread::idealThreadCount();
    const int workerCount = int(std::clamp<qsizetype>(threads, 1, count));

    QList<Shape> outlines{outline};
    for (int worker = 1; worker < workerCount; ++worker)
        outlines.append(requiredResult(independentCopy(outline)));

    // Round one: the standard plan of every layout.
    QList<LayoutOutcome> outcomes(count);
    QList<int> bounds(count, 0);
    {
        RoundProgress progress(control.progress, count, 0.0, 1.0 / 3.0);
        const bool finished = runInParallel(count, workerCount, [&](qsizetype i, int worker) {
            const LayoutChoice &choice = choices[i];
            PlanControl layoutControl{control.token, {}};
            if (control.progress) {
                layoutControl.progress = [&progress, i, choice](const PlanProgress &p) {
                    progress.report(i, choice, p.fraction);
                };
            }
            const Shape &own = outlines[worker];
            try {
                CuttingPlan plan = choice.vertical
                    ? computeCuttingPlan(own, h, w, g, choice.right, choice.top, layoutControl)
                    : computeCuttingPlan(own, w, h, g, choice.right, choice.top, layoutControl);
                bounds[i] = rectangleSheetBound(cutPieces(plan), plan.sheetWidth,
                                                plan.sheetHeight, layoutBoundSteps);
                outcomes[i] = std::move(plan);
            } catch (const std::exception &error) {
                outcomes[i] = QString::fromUtf8(error.what());
            }
        });
        if (!finished)
            throw PlanCancelled{};
    }

    // The best standard purchase bounds the layouts worth a thorough look.
    std::optional<int> bestPurchase;
    for (const LayoutOutcome &outcome : outcomes) {
        if (const auto *plan = std::get_if<CuttingPlan>(&outcome))
            bestPurchase = std::min(bestPurchase.value_or(totalPurchase(*plan)), totalPurchase(*plan));
    }
    QList<qsizetype> worth;
    for (qsizetype i = 0; i < count; ++i) {
        const auto *plan = std::get_if<CuttingPlan>(&outcomes[i]);
        if (plan && plan->sheets.size() > 1) {
            const int bound = bounds[i];
            if (plan->wholeSheetCount + bound <= *bestPurchase && plan->sheets.size() > bound)
                worth.append(i);
        }
    }

    // Round two: the thorough nesting of those layouts.
    {
        RoundProgress progress(control.progress, std::max<qsizetype>(worth.size(), 1),
                               1.0 / 3.0, 1.0);
        const bool finished = runInParallel(worth.size(), workerCount, [&](qsizetype k, int) {
            const CancellationScope scope(control.token);
            const qsizetype i = worth[k];
            CuttingPlan &plan = std::get<CuttingPlan>(outcomes[i]);
            try {
                plan.sheets = nestCutPiecesThoroughly(
                    cutPieces(plan), plan.sheetWidth, plan.sheetHeight, plan.sheets,
                    [&progress, k, &choices, i](double done) {
                        progress.report(k, choices[i], done);
                    });
            } catch (const std::exception &error) {
                // The standard plan of this layout stands.
                Q_UNUSED(error);
            }
        });
        if (!finished)
            throw PlanCancelled{};
    }

    for (LayoutOutcome &outcome : outcomes) {
        if (auto *plan = std::get_if<CuttingPlan>(&outcome))
            plan->nesting = NestingMode::Thorough;
    }
    LayoutSearchResult result = bestOfLayouts(choices, outcomes);
    if (control.progress && result.best)
        control.progress(PlanProgress{1.0, result.winner});
    return result;
}

} // namespace tallero
