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
  if (mox::OpenOutlineFont(path) == mox::kOutlineOk) {
    const int count = mox::OutlineGlyphCount();
    for (int k = 0; k < count && k < 8; ++k) {
      for (int cell : {24, 7, 61}) {
        mox::RenderOutlineGlyph(glyph.data(), k, cell, cell, crossings.data(), crossings.size());
      }
    }
    mox::RenderOutlineGlyph(glyph.data(), count, 24, 24, crossings.data(), crossings.size());
  }
  mox::CloseOutlineFont();
  return 0;
}
