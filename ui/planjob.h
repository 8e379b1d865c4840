#pragma once

#include "engine/plancontrol.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <thread>

namespace tallero {

// One computation on a thread of its own, with the token that cancels it and
// its progress carried back to the thread the job lives in (the window's).
// The work gets the control to hand to the engine; it must catch whatever it
// throws, and it must not touch widgets.
class PlanJob : public QObject
{
    Q_OBJECT

public:
    using Work = std::function<void(const PlanControl &control)>;

    explicit PlanJob(QObject *parent = nullptr);
    // A job still running is cancelled and waited for: its thread never
    // outlives the data it works on.
    ~PlanJob() override;

    void start(Work work);
    // Asks the work to stop at the engine's next checkpoint; from the job's
    // own thread only.
    void cancel();
    // Blocks until the thread has ended; returns at once when none runs.
    void wait();
    bool cancelRequested() const { return cancelled; }
    // The token the work is given, for those who must cancel at an exact
    // point of the work (tests).
    const CancellationToken &token() const { return control.token; }

signals:
    // Queued: emitted on the computing thread, received on the job's.
    void progressed(double fraction, bool vertical, bool right, bool top);
    void finished();
    // Emitted by cancel(), once: the work is told to stop and may take a
    // moment to do so.
    void cancelling();

private:
    PlanControl control;
    std::thread worker;
    bool cancelled = false;
    // Only the progress callback uses it, and the engine never calls that
    // callback twice at once.
    double lastReported = -1.0;
};

} // namespace tallero
