// The whole load run of the long document (its PK fonts at 600 dpi, made by
// tools/fixtures/make-bench-fonts.sh), from the files and from the
// carry-over of a reload.
#include <benchmark/benchmark.h>

#include <string>

#include "previewer/dvi/document_operation.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/fonts/carry_over.h"
#include "previewer/fonts/load_run.h"
#include "previewer/startup/options.h"
#include "tests/bench/bench_document.h"

namespace {

using mox::bench::BenchDocument;

const std::string kLongDocument = std::string(MOX_FIXTURES_DIR) + "/dvi/long.dvi";

bool OpenLong() {
  BenchDocument().Settings.PkFontPath = MOX_BENCH_PK_PATH;
  mox::PreviewDocument& doc = BenchDocument();
  return mox::OpenDviFile(doc, kLongDocument) == 0 && mox::PreScan(doc) == 0;
}

std::size_t Glyphs() { return BenchDocument().Fonts.PkGlyphs.size(); }

void LoadRunFromFiles(benchmark::State& state) {
  std::size_t glyphs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    if (!OpenLong()) {
      state.SkipWithError("the long document does not open");
      break;
    }
    state.ResumeTiming();
    if (mox::LoadFonts(BenchDocument()) != 0) {
      state.SkipWithError("its fonts do not load: run tools/fixtures/make-bench-fonts.sh");
      break;
    }
    glyphs = Glyphs();
    mox::CloseDviFile(BenchDocument());
  }
  state.counters["glyphs"] = static_cast<double>(glyphs);
  state.SetItemsProcessed(state.iterations() * static_cast<long>(glyphs));
}
BENCHMARK(LoadRunFromFiles)->Unit(benchmark::kMillisecond);

void LoadRunFromCarryOver(benchmark::State& state) {
  if (!OpenLong() || mox::LoadFonts(BenchDocument()) != 0) {
    state.SkipWithError("its fonts do not load: run tools/fixtures/make-bench-fonts.sh");
    return;
  }
  for (auto _ : state) {
    mox::SaveCarryOver(BenchDocument());
    mox::CloseDviFile(BenchDocument());
    if (!OpenLong() || mox::LoadFonts(BenchDocument()) != 0) {
      state.SkipWithError("the reload failed");
      break;
    }
    mox::DiscardCarryOver(BenchDocument().CarryOver);
  }
  mox::CloseDviFile(BenchDocument());
}
BENCHMARK(LoadRunFromCarryOver)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
