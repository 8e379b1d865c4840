#include "engine/layoutsearch.h"

#include "engine/cuttingplanner.h"
#include "engine/internal/layoutoutcomes.h"
#include "engine/internal/requiredresult.h"
#include "engine/thoroughlayoutsearch.h"
#include "geometry/shapecopy.h"

#include <QThread>

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>
#include <tuple>
#include <variant>

namespace tallero {

namespace {

// What one layout gave: its plan, or the message of the engine error that
// ended it.
// Progress of the whole search from the progress of its layouts: each layout
// is an eighth, and the fraction reported never goes back, whichever thread
// reports.
class SearchProgress
{
public:
    SearchProgress(const ProgressCallback &callback, qsizetype layoutCount)
        : m_callback(callback), m_done(layoutCount, 0.0)
    {
    }

    ProgressCallback forLayout(qsizetype index, const LayoutChoice &choice)
    {
        if (!m_callback)
            return {};
        return [this, index, choice](const PlanProgress &progress) {
            report(index, choice, progress.fraction);
        };
    }

private:
    void report(qsizetype index, const LayoutChoice &choice, double fraction)
    {
        const std::lock_guard lock(m_mutex);
        m_done[index] = std::max(m_done[index], fraction);
        double sum = 0.0;
        for (double done : m_done)
            sum += done;
        const double overall = std::clamp(sum / double(m_done.size()), 0.0, 1.0);
        if (overall < m_reported)
            return;
        m_reported = overall;
        m_callback(PlanProgress{overall, choice});
    }

    const ProgressCallback &m_callback;
    std::mutex m_mutex;
    QList<double> m_done;
    double m_reported = 0.0;
};

LayoutOutcome computeLayout(const Shape &outline, double w, double h, double g,
                            const LayoutChoice &choice, const PlanControl &control)
{
    try {
        return choice.vertical
            ? computeCuttingPlan(outline, h, w, g, choice.right, choice.top, control)
            : computeCuttingPlan(outline, w, h, g, choice.right, choice.top, control);
    } catch (const std::exception &error) {
        return QString::fromUtf8(error.what());
    }
}

} // namespace

QList<LayoutChoice> layoutChoices()
{
    QList<LayoutChoice> choices;
    for (bool vertical : {false, true}) {
        for (bool right : {false, true}) {
            for (bool top : {false, true})
                choices.append(LayoutChoice{vertical, right, top});
        }
    }
    return choices;
}

bool isBetterPlan(const CuttingPlan &candidate, const CuttingPlan &best)
{
    const auto key = [](const CuttingPlan &plan) {
        return std::make_tuple(totalPurchase(plan), cuttingSheetCount(plan), cutPieceCount(plan));
    };
    return key(candidate) < key(best);
}

LayoutSearchResult searchBestLayout(const Shape &outline, double w, double h, double g,
                                    const PlanControl &control, int threads,
                                    NestingMode nesting)
{
    if (nesting == NestingMode::Thorough)
        return searchBestLayoutThoroughly(outline, w, h, g, control, threads);
    const QList<LayoutChoice> choices = layoutChoices();
    const qsizetype count = choices.size();
    if (threads <= 0)
        threads = QThread::idealThreadCount();
    const int workerCount = int(std::clamp<qsizetype>(threads, 1, count));

    // Every thread but the calling one plans from its own copy of the outline.
    QList<Shape> outlines;
    for (int worker = 1; worker < workerCount; ++worker)
        outlines.append(requiredResult(independentCopy(outline)));

    SearchProgress progress(control.progress, count);
    QList<LayoutOutcome> outcomes(count);
    std::atomic<qsizetype> next{0};
    std::atomic<bool> cancelled{false};
    const auto work = [&](const Shape &ownOutline) {
        for (qsizetype i = next++; i < count && !cancelled; i = next++) {
            const PlanControl layoutControl{control.token, progress.forLayout(i, choices[i])};
            try {
                outcomes[i] = computeLayout(ownOutline, w, h, g, choices[i], layoutControl);
            } catch (const PlanCancelled &) {
                cancelled = true;
            }
        }
    };

    std::vector<std::thread> workers;
    workers.reserve(outlines.size());
    try {
        for (const Shape &copy : outlines)
            workers.emplace_back(work, std::cref(copy));
    } catch (...) {
        // A thread the system refused is no failure: the threads already
        // started and the calling one do all the layouts between them.
    }
    work(outline);
    for (std::thread &worker : workers)
        worker.join();
    if (cancelled)
        throw PlanCancelled{};

    return bestOfLayouts(choices, outcomes);
}

QString layoutChoiceName(const LayoutChoice &choice)
{
    return QStringLiteral("%1 %2-%3")
        .arg(choice.vertical ? QStringLiteral("vertical") : QStringLiteral("horizontal"),
             choice.top ? QStringLiteral("top") : QStringLiteral("bottom"),
             choice.right ? QStringLiteral("right") : QStringLiteral("left"));
}

} // namespace tallero
