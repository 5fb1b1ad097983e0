// Which pages can be shown and printed: the page ranges of "-N" with the
// parity filter of "-U" and the sequence-number mode of "-V".
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace mox {

struct PageRange {
  std::int32_t Low;
  std::int32_t High;
};

inline constexpr std::int32_t kNoLowerBound = -2147483647;
inline constexpr std::int32_t kNoUpperBound = 2147483647;

// The page ranges of a selection text. The parity filter and the counting
// of pages are the options' (DocumentCore::IsPageSelected applies both).
class PageSelection {
 public:
  PageSelection() = default;
  explicit PageSelection(std::string_view text);

  // Whether a page number lies in a range; with no ranges every one does.
  bool Contains(std::int32_t key) const;
  const std::vector<PageRange>& Ranges() const { return ranges_; }

 private:
  std::vector<PageRange> ranges_;
};

}  // namespace mox
