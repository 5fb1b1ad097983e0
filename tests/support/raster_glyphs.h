// What the rasteriser tests of both platforms ask of a face and a glyph: a
// Chinese face described as Windows describes it, and the ink of a 1-bit
// glyph.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/glyph_rasterizer.h"

namespace mox::test {

constexpr std::uint16_t kZhong = 0xD6D0;  // 中

inline platform::LogFontA Face(const char* name, std::int32_t height, std::int32_t width) {
  platform::LogFontA font;
  font.Height = height;
  font.Width = width;
  font.Weight = 400;
  font.CharSet = 134;  // GB2312_CHARSET
  font.Quality = 2;
  std::strncpy(font.FaceName, name, sizeof font.FaceName - 1);
  return font;
}

inline int InkCount(const platform::RasterGlyph& glyph) {
  const std::size_t stride = (glyph.BlackBoxWidth + 31) / 32 * 4;
  int ink = 0;
  for (std::uint32_t y = 0; y < glyph.BlackBoxHeight; ++y) {
    for (std::uint32_t x = 0; x < glyph.BlackBoxWidth; ++x) {
      ink += (glyph.Bits[stride * y + x / 8] >> (7 - x % 8)) & 1;
    }
  }
  return ink;
}

}  // namespace mox::test
