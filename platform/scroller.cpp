#include "platform/scroller.h"

#include <algorithm>

namespace mox::platform {

TScroller::TScroller(ScrollHost& host, int x_unit, int y_unit, long x_range,
                     long y_range)
    : host_(host) {
  XUnit = std::max(1, x_unit);
  YUnit = std::max(1, y_unit);
  XRange = std::max(0L, x_range);
  YRange = std::max(0L, y_range);
}

void TScroller::SetUnits(int x_unit, int y_unit) {
  XUnit = std::max(1, x_unit);
  YUnit = std::max(1, y_unit);
  SetClientSize(client_width_, client_height_);
}

void TScroller::SetRange(long x_range, long y_range) {
  XRange = std::max(0L, x_range);
  YRange = std::max(0L, y_range);
  const long x = std::min(XPos, XRange);
  const long y = std::min(YPos, YRange);
  if (x != XPos || y != YPos) {
    ScrollTo(x, y);
  } else {
    UpdateBars();
  }
}

void TScroller::SetClientSize(long width, long height) {
  client_width_ = std::max(0L, width);
  client_height_ = std::max(0L, height);
  x_page_ = std::max(1L, client_width_ / XUnit);
  y_page_ = std::max(1L, client_height_ / YUnit);
  UpdateBars();
}

void TScroller::ScrollTo(long x, long y) {
  const long new_x = std::clamp(x, 0L, XRange);
  const long new_y = std::clamp(y, 0L, YRange);
  const long dx = (XPos - new_x) * XUnit;
  const long dy = (YPos - new_y) * YUnit;
  XPos = new_x;
  YPos = new_y;
  if (dx != 0 || dy != 0) host_.ScrollContent(dx, dy);
  UpdateBars();
}

void TScroller::HandleRequest(bool horizontal, ScrollRequest request, long thumb) {
  const long position = horizontal ? XPos : YPos;
  const long page = horizontal ? x_page_ : y_page_;
  const long range = horizontal ? XRange : YRange;
  long target = position;
  switch (request) {
    case ScrollRequest::LineUp: target = position - 1; break;
    case ScrollRequest::LineDown: target = position + 1; break;
    case ScrollRequest::PageUp: target = position - page; break;
    case ScrollRequest::PageDown: target = position + page; break;
    case ScrollRequest::Top: target = 0; break;
    case ScrollRequest::Bottom: target = range; break;
    case ScrollRequest::Thumb: target = thumb; break;
  }
  if (horizontal) {
    ScrollTo(target, YPos);
  } else {
    ScrollTo(XPos, target);
  }
}

void TScroller::UpdateBars() {
  // Showing or hiding one bar resizes the client area, which comes back here
  // with new page sizes; the outer call then sets both bars again.
  if (updating_bars_) {
    bars_stale_ = true;
    return;
  }
  updating_bars_ = true;
  for (int round = 0; round < 4; ++round) {
    bars_stale_ = false;
    host_.SetScrollBar(true, XRange, x_page_, XPos);
    host_.SetScrollBar(false, YRange, y_page_, YPos);
    if (!bars_stale_) break;
  }
  updating_bars_ = false;
}

}  // namespace mox::platform
