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

// The pages a document shows: the ranges of a selection text, the parity
// filter and the sequence-number mode of the options. With no ranges every
// page (that the filter lets through) is selected.
class PageSelection {
 public:
  PageSelection() = default;
  // parity: 0 all, 1 odd only, 2 even only; sequence_mode non-zero: pages
  // are counted by their position in the file.
  PageSelection(std::string_view text, int parity, int sequence_mode);

  // count0 is the page's \count0, sequence its 1-based position in the file.
  bool IsSelected(std::int32_t count0, std::int32_t sequence) const;
  const std::vector<PageRange>& Ranges() const { return ranges_; }

 private:
  std::vector<PageRange> ranges_;
  int parity_ = 0;
  int sequence_mode_ = 0;
};

}  // namespace mox
