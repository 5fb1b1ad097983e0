// The page view's ruler: a drag from the left button's press to its
// release draws the measuring cross and writes its readout into the frame
// caption, which gets back exactly what it held before.
#include <cmath>

#include "previewer/shell/page_view.h"
#include "previewer/shell/ruler.h"
#include "previewer/startup/options.h"
#include "previewer/shell/shell_texts.h"
#include "previewer/startup/startup_texts.h"

namespace mox {

void PageView::RulerPress(std::int32_t x, std::int32_t y) {
  if (!IsDocumentOpen() || ruler_) return;
  // The click that brings the window to the front starts no ruler.
  if (IgnoreNextClick != 0) {
    IgnoreNextClick = 0;
    return;
  }
  const Options& options = Settings();
  RulerDrag drag;
  host_.MeasureClient(ClientWidth, ClientHeight);
  drag.Client = {0, 0, static_cast<std::int32_t>(ClientWidth),
                 static_cast<std::int32_t>(ClientHeight)};
  drag.Unit = RulerUnit(options.ResolutionX, options.ResolutionY, Zoom());
  drag.SavedCaption = host_.FrameCaption();
  ruler_ = drag;
  host_.BeginRulerDrawing();
  MoveCross(x, y);
}

void PageView::RulerMove(std::int32_t x, std::int32_t y) {
  if (ruler_) MoveCross(x, y);
}

void PageView::MoveCross(std::int32_t x, std::int32_t y) {
  RulerDrag& drag = *ruler_;
  const Options& options = Settings();
  const auto cross = [&](std::int32_t at_x, std::int32_t at_y) {
    if (at_x == -10000 && at_y == -10000) return;
    host_.DrawRulerLines(RulerCross(at_x, at_y, drag.Unit, drag.Client, options.ResolutionX,
                                    options.ResolutionY, Zoom(), host_.ScreenDpi()));
  };
  cross(drag.X, drag.Y);  // drawn again, the old cross is gone
  drag.X = x;
  drag.Y = y;
  cross(x, y);
  if (x == -10000 && y == -10000) return;
  const platform::TScroller& scroller = host_.ViewScroller();
  // Measured from the corner of the page the cross is on (in the
  // continuous view, the page whose picture or following gap holds it).
  const double row = static_cast<double>(scroller.YPos) * UnitY + y;
  const double pitch = static_cast<double>(Stack().Pitch());
  const double page_row =
      ContinuousView() && pitch > 0 && row >= 0 ? row - std::floor(row / pitch) * pitch : row;
  host_.SetFrameCaption(RulerReadout(
      drag.Unit, static_cast<double>(scroller.XPos) * UnitX + x, page_row, OffsetX, OffsetY,
      options.ResolutionX,
      options.ResolutionY, Zoom(), Lang()));
}

void PageView::EndRulerDrag() {
  if (!ruler_) return;
  host_.SetFrameCaption(ruler_->SavedCaption);
  MoveCross(-10000, -10000);
  ruler_.reset();
  host_.EndRulerDrawing();
}

}  // namespace mox
