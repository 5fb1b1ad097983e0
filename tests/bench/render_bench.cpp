// Drawing a full page of the long document at 600 dpi, as the window draws
// it: the first draw (zoomed glyphs made) and a redraw from the cache, at
// zoom 1, 1:2 and 1:5.
#include <benchmark/benchmark.h>

#include <string>

#include "previewer/dvi/document_operation.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/fonts/load_run.h"
#include "previewer/render/page_renderer.h"
#include "previewer/startup/options.h"
#include "tests/bench/bench_document.h"

namespace {

using mox::bench::BenchDocument;

bool LoadLongPage() {
  static bool loaded = [] {
    mox::PreviewDocument& doc = BenchDocument();
    doc.Settings.PkFontPath = MOX_BENCH_PK_PATH;
    const std::string document = std::string(MOX_FIXTURES_DIR) + "/dvi/long.dvi";
    return mox::OpenDviFile(doc, document) == 0 && mox::PreScan(doc) == 0 &&
           mox::LoadFonts(doc) == 0 && mox::ScanPage(doc, 10) == 0;
  }();
  return loaded;
}

// A device that takes the bands and does nothing with them: what is timed is
// the drawing itself, not a copy into memory or onto a screen.
class NullDevice final : public mox::RenderDevice {
 public:
  int ColourCount() const override { return -1; }
  void CopyBand(const mox::BandImage& band, int rows, int, int) override {
    benchmark::DoNotOptimize(band.Bits.data());
    benchmark::DoNotOptimize(rows);
  }
  void DrawFrame(int, int, int, int) override {}
};

mox::PixelRect PageRect(double zoom) {
  const mox::DviDocument& document = BenchDocument().Dvi;
  return {0, 0, static_cast<int>(document.MaxWidth * zoom * document.ConversionX) + 1,
          static_cast<int>(document.MaxHeightDepth * zoom * document.ConversionY) + 1};
}

void Draw(benchmark::State& state, bool cached) {
  if (!LoadLongPage()) {
    state.SkipWithError("the long document's fonts are missing: tools/fixtures/make-bench-fonts.sh");
    return;
  }
  const double zoom = 1.0 / static_cast<double>(state.range(0));
  const mox::PixelRect rect = PageRect(zoom);
  NullDevice device;
  mox::DrawPage(BenchDocument(), device, rect, 1.0, {zoom, 0, 0, true});
  for (auto _ : state) {
    if (!cached) mox::DiscardZoomImages(BenchDocument());
    mox::DrawPage(BenchDocument(), device, rect, 1.0, {zoom, 0, 0, true});
  }
}

void FirstDraw(benchmark::State& state) { Draw(state, false); }
void CachedRedraw(benchmark::State& state) { Draw(state, true); }
BENCHMARK(FirstDraw)->Arg(1)->Arg(2)->Arg(5)->Unit(benchmark::kMillisecond);
BENCHMARK(CachedRedraw)->Arg(1)->Arg(2)->Arg(5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
