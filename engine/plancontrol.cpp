#include "engine/plancontrol.h"

#include <limits>

namespace tallero {

struct CancellationToken::State
{
    std::atomic<bool> cancelled{false};
    std::atomic<quint64> checks{0};
    std::atomic<quint64> cancelAt{std::numeric_limits<quint64>::max()};
};

CancellationToken::CancellationToken() : m_state(std::make_shared<State>()) {}

void CancellationToken::cancel() const
{
    m_state->cancelled.store(true, std::memory_order_relaxed);
}

bool CancellationToken::isCancelled() const
{
    const quint64 check = m_state->checks.fetch_add(1, std::memory_order_relaxed) + 1;
    if (check >= m_state->cancelAt.load(std::memory_order_relaxed))
        cancel();
    return m_state->cancelled.load(std::memory_order_relaxed);
}

quint64 CancellationToken::checks() const
{
    return m_state->checks.load(std::memory_order_relaxed);
}

void CancellationToken::cancelAtCheck(quint64 n) const
{
    m_state->cancelAt.store(n, std::memory_order_relaxed);
}

namespace {

thread_local const CancellationToken *currentToken = nullptr;

} // namespace

CancellationScope::CancellationScope(const CancellationToken &token) : m_previous(currentToken)
{
    currentToken = &token;
}

CancellationScope::~CancellationScope()
{
    currentToken = m_previous;
}

void checkCancellation()
{
    if (currentToken && currentToken->isCancelled())
        throw PlanCancelled{};
}

} // namespace tallero
