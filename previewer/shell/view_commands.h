// What the zoom and viewport commands ask of the view, as numbers: the new
// zoom of a zoom command, the scroll target of a viewport move, and the
// reading of the zoom the user types into the Change zoom box.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "previewer/base/bilingual.h"

namespace mox {

// The zoom a zoom command (English id 131-133, 135-143) asks for, given the
// current one; 0 means fit to window. Nothing for other commands.
std::optional<double> ZoomForCommand(int english_id, double current_zoom);

struct ScrollTarget {
  long X = 0;
  long Y = 0;
};

struct ViewportState {
  long XPos = 0;  // scroll position, units
  long YPos = 0;
  std::uint32_t ClientWidth = 0;
  std::uint32_t ClientHeight = 0;
  std::int32_t UnitX = 1;
  std::int32_t UnitY = 1;
};

// Where a viewport command (English id 161-166) scrolls to, before the
// scroller clamps it: half a window, at least one unit, or a corner.
std::optional<ScrollTarget> ViewportTarget(int english_id, const ViewportState& view);

// The Change zoom box: its first text, and what the typed text means.
std::string ZoomDialogText(double zoom);

struct ZoomEntry {
  double Zoom = 0.0;     // for SetZoom when Error is empty (0 fits)
  std::string Error;     // the message to show instead, in the language
};

// The longest decimal number at the start of the text (0 without one);
// above 1, negative or NaN is refused with "Invalid zoom factor %lf".
ZoomEntry ReadZoomEntry(const std::string& text, Language language);

}  // namespace mox
