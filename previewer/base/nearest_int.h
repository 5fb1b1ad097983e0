// Rounding of device positions and sizes.
#pragma once

#include <cstdint>

namespace mox {

// A double rounded to the nearest integer, halves away from zero; values
// beyond 32 bits stop at the limits and NaN gives 0, so absurd sizes in a
// file never reach a cast whose result is undefined.
std::int32_t NearestInt(double value);

// The integer part of a value (toward zero), saturated the same way.
std::int32_t TruncatedInt(double value);

}  // namespace mox
