#include "previewer/shell/view_commands.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "platform/text_format.h"
#include "previewer/resources/resource_ids.h"
#include "previewer/shell/shell_texts.h"

namespace mox {
namespace {

// 1:1 to 1:9, written out as the commands have always used them.
constexpr std::array<double, 9> kFixedZooms{
    1.0, 0.5, 0.3333333333333333, 0.25, 0.2, 0.16666666666666666, 0.14285714285714285,
    0.125, 0.1111111111111111};

// The farthest corner: the scroller lowers it to its range.
constexpr long kFarCorner = 1L << 30;

long HalfWindowUnits(std::uint32_t client, std::int32_t unit) {
  const long units = unit > 0 ? static_cast<long>(client / 2) / unit : 0;
  return units == 0 ? 1 : units;
}

}  // namespace

std::optional<double> ZoomForCommand(int english_id, double current_zoom) {
  switch (english_id) {
    case CM_ZOOMOUT: return current_zoom * 0.8333333333333334;
    case CM_ZOOMIN: return current_zoom * 1.2;
    case CM_ZOOMFIT: return 0.0;
    default: break;
  }
  if (english_id >= CM_ZOOM1 && english_id <= CM_ZOOM9) {
    return kFixedZooms[static_cast<std::size_t>(english_id - CM_ZOOM1)];
  }
  return std::nullopt;
}

std::optional<ScrollTarget> ViewportTarget(int english_id, const ViewportState& view) {
  const long sx = HalfWindowUnits(view.ClientWidth, view.UnitX);
  const long sy = HalfWindowUnits(view.ClientHeight, view.UnitY);
  switch (english_id) {
    case CM_VIEWLEFT: return ScrollTarget{view.XPos - sx, view.YPos};
    case CM_VIEWRIGHT: return ScrollTarget{view.XPos + sx, view.YPos};
    case CM_VIEWUP: return ScrollTarget{view.XPos, view.YPos - sy};
    case CM_VIEWDOWN: return ScrollTarget{view.XPos, view.YPos + sy};
    case CM_VIEWTOPLEFT: return ScrollTarget{0, 0};
    case CM_VIEWBOTTOMRIGHT: return ScrollTarget{kFarCorner, kFarCorner};
    default: return std::nullopt;
  }
}

std::string ZoomDialogText(double zoom) { return Format("%0.4lf", zoom); }

ZoomEntry ReadZoomEntry(const std::string& text, Language language) {
  ZoomEntry entry;
  // strtod takes the longest number at the start and gives 0 for none.
  entry.Zoom = std::strtod(text.c_str(), nullptr);
  if (entry.Zoom > 1.0 || entry.Zoom < 0.0 || std::isnan(entry.Zoom)) {
    entry.Error = Format(kInvalidZoom.In(language), entry.Zoom);
  }
  return entry;
}

}  // namespace mox
