#pragma once

namespace tallero {

// How hard the engine works at packing the cut pieces onto cutting sheets.
// Standard: one greedy pass, fast and the default. Thorough: a bounded
// search beyond that pass (thoroughnesting.h) that keeps the standard
// packing unless it finds one with fewer cutting sheets.
enum class NestingMode { Standard, Thorough };

} // namespace tallero
