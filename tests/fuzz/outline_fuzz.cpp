// Any bytes as a Chinese outline font: opening it and rendering glyphs must
// give glyphs or an error code, never a read or a write outside a buffer.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "previewer/fonts/outline_font.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::vector<std::uint8_t> crossings(65520);
  static std::vector<std::uint8_t> glyph(64 * 64);
  const std::string path = mox::fuzz::WriteScratchFile("input.hzf", data, size);
  mox::OutlineFontFile font;
  if (font.Open(path) == mox::kOutlineOk) {
    const int count = font.GlyphCount();
    for (int k = 0; k < count && k < 8; ++k) {
      for (int cell : {24, 7, 61}) {
        font.Render(glyph.data(), k, cell, cell, crossings.data(), crossings.size());
      }
    }
    font.Render(glyph.data(), count, 24, 24, crossings.data(), crossings.size());
  }
  return 0;
}
