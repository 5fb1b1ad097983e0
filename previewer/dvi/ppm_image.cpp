#include "previewer/dvi/ppm_image.h"

#include <cstddef>

namespace mox {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// A decimal number after blanks and comments; nothing past `largest`.
std::optional<int> Number(std::string_view bytes, std::size_t& at, int largest) {
  for (;;) {
    while (at < bytes.size() && IsBlank(bytes[at])) ++at;
    if (at < bytes.size() && bytes[at] == '#') {
      while (at < bytes.size() && bytes[at] != '\n') ++at;
      continue;
    }
    break;
  }
  long value = 0;
  const std::size_t start = at;
  while (at < bytes.size() && bytes[at] >= '0' && bytes[at] <= '9') {
    value = value * 10 + (bytes[at] - '0');
    if (value > largest) return std::nullopt;
    ++at;
  }
  if (at == start) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

std::optional<RgbPicture> ParsePpm(std::string_view bytes, int largest_side) {
  if (bytes.substr(0, 2) != "P6") return std::nullopt;
  std::size_t at = 2;
  const std::optional<int> width = Number(bytes, at, largest_side);
  const std::optional<int> height = width ? Number(bytes, at, largest_side) : std::nullopt;
  const std::optional<int> maximum = height ? Number(bytes, at, 65535) : std::nullopt;
  if (!maximum || *maximum != 255 || *width < 1 || *height < 1) return std::nullopt;
  if (at >= bytes.size() || !IsBlank(bytes[at])) return std::nullopt;
  ++at;
  const std::size_t need = static_cast<std::size_t>(*width) * static_cast<std::size_t>(*height) * 3;
  if (bytes.size() - at < need) return std::nullopt;
  RgbPicture picture;
  picture.Width = *width;
  picture.Height = *height;
  picture.Rgb.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                     bytes.begin() + static_cast<std::ptrdiff_t>(at + need));
  return picture;
}

}  // namespace mox
