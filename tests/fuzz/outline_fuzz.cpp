// Any bytes as a Chinese outline font, of GB 2312 codes or of a Unicode range
// (the seeds hold both): opening it and rendering glyphs must give glyphs or
// an error code, never a read or a write outside a buffer; a range file's
// codes, first code plus glyph index, stay Unicode values of 16 bits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
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
    if (font.FirstCode() < 0 || font.FirstCode() + count - 1 > 0xFFFF) std::abort();
    for (int k = 0; k < count && k < 8; ++k) {
      for (int cell : {24, 7, 61}) {
        font.Render(glyph.data(), k, cell, cell, crossings.data(), crossings.size());
      }
    }
    // The last glyphs: a range file's characters may all lie at its end.
    for (int k = count - 1; k >= 8 && k >= count - 4; --k) {
      font.Render(glyph.data(), k, 24, 24, crossings.data(), crossings.size());
    }
    font.Render(glyph.data(), count, 24, 24, crossings.data(), crossings.size());
  }
  return 0;
}
