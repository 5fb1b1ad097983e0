#include "previewer/shell/page_stack.h"

#include <algorithm>

#include "previewer/base/nearest_int.h"
#include "previewer/dvi/scan_document.h"
#include "previewer/shell/page_navigation.h"

namespace mox {

std::int64_t PageStack::Height() const {
  if (Pages.empty()) return 0;
  return static_cast<std::int64_t>(Pages.size()) * Pitch() - Gap;
}

std::optional<std::size_t> PageStack::SlotOf(std::int32_t page) const {
  const auto found = std::lower_bound(Pages.begin(), Pages.end(), page);
  if (found == Pages.end() || *found != page) return std::nullopt;
  return static_cast<std::size_t>(found - Pages.begin());
}

PageStack::Range PageStack::SlotsMeeting(std::int64_t top, std::int64_t bottom) const {
  if (Pages.empty() || Pitch() <= 0 || bottom <= top || bottom <= 0) return {};
  top = std::max<std::int64_t>(top, 0);
  std::size_t first = static_cast<std::size_t>(top / Pitch());
  // A band that starts in the gap below a page starts with the next one.
  if (top - TopOf(first) >= PageHeight) ++first;
  std::size_t end = static_cast<std::size_t>((bottom - 1) / Pitch()) + 1;
  end = std::min(end, Pages.size());
  if (first >= end) return {};
  return {first, end};
}

std::size_t PageStack::MostInView(std::int64_t top, std::int64_t bottom) const {
  if (Pages.empty() || Pitch() <= 0) return 0;
  const Range range = SlotsMeeting(top, bottom);
  if (range.First >= range.End) {
    // Only a gap (or nothing) in view: the page above it, or the last one.
    const std::int64_t slot = std::max<std::int64_t>(top, 0) / Pitch();
    return std::min(static_cast<std::size_t>(slot), Pages.size() - 1);
  }
  std::size_t best = range.First;
  std::int64_t most = -1;
  for (std::size_t slot = range.First; slot < range.End; ++slot) {
    const std::int64_t shown = std::min(bottom, TopOf(slot) + PageHeight) - std::max(top, TopOf(slot));
    if (shown > most) {
      most = shown;
      best = slot;
    }
  }
  return best;
}

PageStack StackPages(const ScanDocument& doc, std::int64_t page_height) {
  PageStack stack;
  stack.PageHeight = page_height;
  for (std::int32_t page = FirstSelectablePage(doc); page >= 0;
       page = NextSelectablePage(doc, page)) {
    stack.Pages.push_back(page);
  }
  return stack;
}

std::int32_t PageHeightAt(const PageGeometry& page, double zoom) {
  const std::int32_t margin = NearestInt(page.MarginY * zoom);
  return NearestInt(page.Height * zoom * page.ConversionY + 2.0 * margin);
}

ScrollLayout LayOutStack(const PageGeometry& page, double zoom, std::uint32_t client_width,
                         std::uint32_t client_height, PageStack& stack) {
  ScrollLayout layout = LayOutPage(page, zoom, client_width, client_height);
  const std::int64_t unit = std::max(1, layout.UnitY);
  stack.Gap = kPageGap + (unit - (stack.PageHeight + kPageGap) % unit) % unit;
  const std::int64_t excess =
      std::max<std::int64_t>(stack.Height(), client_height) - client_height;
  layout.RangeY = static_cast<long>((excess + layout.UnitY - 1) / layout.UnitY);
  return layout;
}

}  // namespace mox
