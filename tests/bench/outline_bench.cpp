// Rendering Chinese characters from compiled outline fonts: what the load
// run does for every character a document uses, at a small and a large cell.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "previewer/fonts/outline_font.h"

namespace {

const std::string kFonts = std::string(MOX_FIXTURES_DIR) + "/hzfonts/";

// The code indices of the characters the font holds (those with ink).
std::vector<int> Characters(mox::OutlineFontFile& font, std::vector<std::uint8_t>& crossings) {
  std::vector<int> codes;
  std::vector<std::uint8_t> cell(4 * 32);
  for (int k = 0; k < font.GlyphCount(); ++k) {
    if (font.Render(cell.data(), k, 32, 32, crossings.data(), crossings.size()) != 0) continue;
    for (std::uint8_t byte : cell) {
      if (byte != 0) {
        codes.push_back(k);
        break;
      }
    }
  }
  return codes;
}

// Arguments: cell size in pixels, file type (1 scrambled, 3 tree-coded).
void RenderCharacters(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const std::string file = state.range(1) == 1 ? "uml1t1.hzf" : "uml1t3.hzf";
  std::vector<std::uint8_t> crossings(65520);
  mox::OutlineFontFile font;
  if (font.Open(kFonts + file) != 0) {
    state.SkipWithError("the fixture font does not open");
    return;
  }
  const std::vector<int> codes = Characters(font, crossings);
  std::vector<std::uint8_t> cell(static_cast<std::size_t>((size + 7) / 8 * size));
  std::size_t next = 0;
  for (auto _ : state) {
    if (font.Render(cell.data(), codes[next], size, size, crossings.data(),
                                crossings.size()) != 0) {
      state.SkipWithError("a character does not render");
      break;
    }
    benchmark::DoNotOptimize(cell.data());
    next = (next + 1) % codes.size();
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["glyphs/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(RenderCharacters)
    ->ArgsProduct({{24, 64}, {1, 3}})
    ->ArgNames({"pixels", "type"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
