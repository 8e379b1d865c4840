#pragma once

#include "engine/engineerrors.h"

#include <optional>
#include <stdexcept>
#include <utility>

namespace tallero {

// The value of a geometry kernel operation the plan cannot do without. A
// failed operation is not an empty result: taking it as one would drop a
// cut piece or let two pieces overlap, so the plan stops with an engine
// error instead.
template <typename T>
T requiredResult(std::optional<T> result)
{
    if (!result)
        throw std::runtime_error(engineerrors::geometryOperationFailed);
    return std::move(*result);
}

} // namespace tallero
