#include "ui/planjob.h"

#include <QtGlobal>

namespace tallero {

namespace {

// Progress steps smaller than this are not worth an event: the dialog shows
// a thousand steps at most.
constexpr double reportStep = 0.001;

} // namespace

PlanJob::PlanJob(QObject *parent)
    : QObject(parent)
{
    control.progress = [this](const PlanProgress &progress) {
        if (progress.fraction < lastReported + reportStep && progress.fraction < 1.0)
            return;
        lastReported = progress.fraction;
        emit progressed(progress.fraction, progress.layout.vertical, progress.layout.right,
                        progress.layout.top);
    };
}

PlanJob::~PlanJob()
{
    cancel();
    wait();
}

void PlanJob::start(Work work)
{
    Q_ASSERT(!worker.joinable());
    worker = std::thread([this, work = std::move(work)] {
        try {
            work(control);
        } catch (...) {
            // The work reports its own failures; nothing may escape a thread.
        }
        emit finished();
    });
}

void PlanJob::cancel()
{
    if (cancelled)
        return;
    cancelled = true;
    control.token.cancel();
    emit cancelling();
}

void PlanJob::wait()
{
    if (worker.joinable())
        worker.join();
}

} // namespace tallero
