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

// Turns the page selection text into the process-wide range list.
void ParsePageRanges(std::string_view text);
// Empties the range list (closing a document does this).
void DiscardPageRanges();
const std::vector<PageRange>& PageRanges();

// count0 is the page's \count0, sequence its 1-based position in the file.
bool IsPageSelected(std::int32_t count0, std::int32_t sequence);

}  // namespace mox
