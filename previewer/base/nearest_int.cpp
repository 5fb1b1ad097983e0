#include "previewer/base/nearest_int.h"

#include <cmath>

namespace mox {
namespace {

std::int32_t Saturated(double whole) {
  if (whole >= 2147483647.0) return INT32_MAX;
  if (whole <= -2147483648.0) return INT32_MIN;
  return static_cast<std::int32_t>(whole);
}

}  // namespace

std::int32_t NearestInt(double value) {
  if (std::isnan(value)) return 0;
  return Saturated(value >= 0.0 ? std::floor(value + 0.5) : -std::floor(0.5 - value));
}

std::int32_t TruncatedInt(double value) {
  if (std::isnan(value)) return 0;
  return Saturated(std::trunc(value));
}

}  // namespace mox
