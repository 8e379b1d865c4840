#pragma once

#include "engine/layoutchoice.h"

#include <QtGlobal>

#include <atomic>
#include <functional>
#include <memory>

namespace tallero {

// A request to stop a computation, shared between whoever asks (the window)
// and the computation (on any number of threads). Copies share one flag;
// every member may be called from any thread.
class CancellationToken
{
public:
    CancellationToken();

    void cancel() const;

    // True once cancel() was called. The engine asks this at every
    // checkpoint; each call is counted.
    bool isCancelled() const;

    // How many times the engine has asked, on all threads together.
    quint64 checks() const;

    // Cancels the token at the n-th check (1 = the first): a cancel that
    // arrives at an exact point of the work, whatever the machine's speed.
    void cancelAtCheck(quint64 n) const;

private:
    struct State;
    std::shared_ptr<State> m_state;
};

// Thrown instead of a plan when the token was cancelled. It is not an
// engine error and deliberately not a std::exception, so no handler that
// reports engine failures can take it for one: whoever passes a token
// catches PlanCancelled and simply drops the computation. Nothing the
// caller handed in is changed by a cancelled computation.
class PlanCancelled
{
};

// How far a computation is: the fraction of its work done (0 to 1, never
// decreasing) and the layout being computed. computeCuttingPlan is handed
// the sheet as it is laid and reports vertical = false; the layout search
// reports the real layout.
struct PlanProgress
{
    double fraction = 0.0;
    LayoutChoice layout;
};

// Called on the computing thread (for a parallel search, on one of its
// threads, never two calls at once). It must return quickly and must not
// touch widgets: a window queues what it needs to its own thread.
using ProgressCallback = std::function<void(const PlanProgress &)>;

// What a caller can hand a computation besides its inputs. The default
// control is never cancelled and reports nothing; with it every result is
// the one computed without a control.
struct PlanControl
{
    CancellationToken token;
    ProgressCallback progress;
};

// Makes the token of `control` the one checkCancellation() consults on this
// thread while the scope lives; scopes nest (the inner one applies until it
// ends). The computation functions open one themselves; deep loops need only
// call checkCancellation().
class CancellationScope
{
public:
    explicit CancellationScope(const CancellationToken &token);
    ~CancellationScope();
    CancellationScope(const CancellationScope &) = delete;
    CancellationScope &operator=(const CancellationScope &) = delete;

private:
    const CancellationToken *m_previous;
};

// The checkpoint of long loops (the grid walk, every placed piece, every
// batch of placement candidates): throws PlanCancelled when the token of
// this thread's innermost CancellationScope is cancelled; does nothing
// outside any scope. It costs a thread-local read and an atomic load.
void checkCancellation();

} // namespace tallero
