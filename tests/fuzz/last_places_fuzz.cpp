// Any bytes as the previewer's file of last places: reading never fails,
// gives at most the bound of places with pages, zooms and scroll positions
// in their ranges and no control characters in a path, and what is written
// back reads as the same list.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "previewer/shell/last_places.h"
#include "previewer/shell/view_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<mox::LastPlace> places = mox::ParseLastPlaces(text);
  if (places.size() > mox::kMostPlaces) std::abort();
  for (const mox::LastPlace& place : places) {
    if (place.Page < 0 || place.X < 0 || place.Y < 0 || !std::isfinite(place.Zoom) ||
        place.Zoom < mox::kSmallestZoom || place.Zoom > mox::kLargestZoom || place.Path.empty()) {
      std::abort();
    }
    for (const char c : place.Path) {
      if (static_cast<unsigned char>(c) < 0x20) std::abort();
    }
  }
  const std::string written = mox::FormatLastPlaces(places);
  if (mox::FormatLastPlaces(mox::ParseLastPlaces(written)) != written) std::abort();
  if (!places.empty()) {
    mox::LastPlace first = places.back();
    mox::RememberPlace(places, first);
    if (places.front().Path != first.Path || !mox::FindLastPlace(places, first.Path)) std::abort();
  }
  return 0;
}
