// Finding the numbered em: point a line refers to, on the same page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "previewer/base/page_item.h"

#include "previewer/base/reporter.h"

namespace mox {

struct DevicePoint {
  int X;
  int Y;
};

// The drawing position of point `number` for the line item at `line`: the
// nearest point item before the line, else the first after it, never beyond
// the page's ItemEnd; scaled by zoom and shifted by the origin. Nothing (and
// a status line "em:point %d undefined, line ignored.") when the page has
// no such point.
// A point that is not there is a warning to `report`.
std::optional<DevicePoint> FindEmPoint(const std::vector<PageItem>& items, std::uint32_t number,
                                       std::size_t line, double zoom, int x_origin,
                                       int y_origin, Reporter& report);

}  // namespace mox
