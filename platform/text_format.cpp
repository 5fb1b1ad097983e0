#include "platform/text_format.h"

#include <cstdarg>
#include <cstdio>

namespace mox {

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text;
  if (length > 0) {
    text.resize(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, again);
    text.resize(static_cast<std::size_t>(length));
  }
  va_end(again);
  return text;
}

void TruncateGbk(std::string& text, std::size_t max_bytes) {
  if (text.size() <= max_bytes) return;
  std::size_t end = 0;
  while (end < max_bytes) {
    const auto byte = static_cast<unsigned char>(text[end]);
    const std::size_t width = IsGbkLeadByte(byte) ? 2 : 1;
    if (end + width > max_bytes) break;
    end += width;
  }
  text.resize(end);
}

std::size_t FindLastOfGbk(std::string_view text, std::string_view chars) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (IsGbkLeadByte(byte) && i + 1 < text.size()) {
      ++i;  // skip the trail byte
    } else if (chars.find(text[i]) != std::string_view::npos) {
      found = i;
    }
  }
  return found;
}
void ReplaceGbk(std::string& text, char from, char to) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsGbkLeadByte(static_cast<unsigned char>(text[i]))) {
      ++i;
    } else if (text[i] == from) {
      text[i] = to;
    }
  }
}

}  // namespace mox
