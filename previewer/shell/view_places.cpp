// The page view's side of the last places: what is remembered as a document
// is given up, and where a document opened anew starts.
#include <algorithm>
#include <cmath>

#include "previewer/shell/last_places.h"
#include "previewer/shell/page_view.h"

namespace mox {

void PageView::RememberShownPlace() {
  const std::string& program = Settings().ProgramPath;
  if (program.empty() || !IsDocumentOpen() || CurrentPage < 0 || place_path_.empty()) return;
  const std::string file = LastPlacesFileName(program);
  std::vector<LastPlace> places = ReadLastPlaces(file);
  const platform::TScroller& scroller = host_.ViewScroller();
  // The continuous view keeps the page most in view, as its caption does
  // once the window has painted.
  if (ContinuousView()) CurrentPage = PageMostInView();
  // The distance down is from the page's own top, in either view.
  const std::int64_t down = static_cast<std::int64_t>(scroller.YPos) * UnitY - PageTop(CurrentPage);
  RememberPlace(places, {CurrentPage, Zoom(), static_cast<std::int64_t>(scroller.XPos) * UnitX,
                         std::max<std::int64_t>(down, 0), place_path_});
  // A place that cannot be kept (a read-only program folder) costs the
  // user nothing but the place: no message for it.
  WriteLastPlaces(file, places);
}

PageView::StartPlace PageView::PlaceToStartAt() {
  const std::string& program = Settings().ProgramPath;
  if (program.empty()) return {};
  const std::optional<LastPlace> place =
      FindLastPlace(ReadLastPlaces(LastPlacesFileName(program)), FullDocumentPath(DviFileName));
  if (!place) return {};
  return {place->Page, place->Zoom, static_cast<long>(place->X), static_cast<long>(place->Y)};
}

}  // namespace mox
