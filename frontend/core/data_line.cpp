#include "frontend/core/data_line.h"

#include "platform/text_format.h"

namespace mox::varelo {

std::vector<std::string_view> SplitDataLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = next;
  }
  return lines;
}

std::size_t DescriptionLength(std::string_view line) {
  if (line.size() <= kDescriptionBytes) return line.size();
  std::size_t at = 0;
  while (at < kDescriptionBytes) {
    const bool lead = IsGbkLeadByte(static_cast<unsigned char>(line[at]));
    if (lead && at + 1 == kDescriptionBytes) return at;  // its trail byte lies beyond
    at += lead ? 2 : 1;
  }
  return kDescriptionBytes;
}

std::string_view WithoutTrailingSpaces(std::string_view text) {
  const std::size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::string FixedDescription(std::string_view description) {
  std::string fixed(description);
  TruncateGbk(fixed, kDescriptionBytes);
  fixed.resize(kDescriptionBytes, ' ');
  return fixed;
}

}  // namespace mox::varelo
