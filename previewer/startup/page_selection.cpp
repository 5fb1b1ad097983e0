#include "previewer/startup/page_selection.h"

#include <new>

#include "previewer/startup/number_syntax.h"

namespace mox {
namespace {

bool IsBlank(std::string_view text) {
  for (const char c : text) {
    if (!IsOptionSpace(c)) return false;
  }
  return true;
}

// One item: "n", "low:high", "low:", ":high" or ":".
PageRange ParseItem(std::string_view item) {
  const std::size_t colon = item.find(':');
  if (colon == std::string_view::npos) {
    const std::int32_t page = ReadDecimalInt(item);
    return {page, page};
  }
  const std::string_view low = item.substr(0, colon);
  const std::string_view high = item.substr(colon + 1);
  return {IsBlank(low) ? kNoLowerBound : ReadDecimalInt(low),
          IsBlank(high) ? kNoUpperBound : ReadDecimalInt(high)};
}

// Calls store for each range of the text in turn; returns how many there
// were. Items are separated by ";" and the first empty item ends the list.
template <typename Store>
std::size_t ForEachRange(std::string_view text, Store store) {
  std::size_t count = 0;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find(';', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view item = text.substr(start, end - start);
    if (IsBlank(item)) break;
    store(ParseItem(item));
    ++count;
    if (end == text.size()) break;
    start = end + 1;
  }
  return count;
}

}  // namespace

PageSelection::PageSelection(std::string_view text) {
  const std::size_t count = ForEachRange(text, [](const PageRange&) {});
  if (count == 0) return;
  try {
    ranges_.reserve(count);
  } catch (const std::bad_alloc&) {
    return;  // no ranges: every page passes
  }
  ForEachRange(text, [this](const PageRange& range) { ranges_.push_back(range); });
}

bool PageSelection::Contains(std::int32_t key) const {
  if (ranges_.empty()) return true;
  for (const PageRange& range : ranges_) {
    if (range.Low <= key && key <= range.High) return true;
  }
  return false;
}

}  // namespace mox
