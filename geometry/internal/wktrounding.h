#pragma once

namespace tallero {

// The coordinate the engine reads back for `value` written as WKT: fixed
// notation with ten decimals (rounded half away from zero, as the toolkit
// writes it) parsed to the nearest double. Lets a geometry be built straight
// from coordinates and still be the one the WKT exchange would give.
double roundAsWkt(double value);

} // namespace tallero
