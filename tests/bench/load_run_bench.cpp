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
#include "previewer/render/process_document.h"

namespace {

const std::string kLongDocument = std::string(MOX_FIXTURES_DIR) + "/dvi/long.dvi";

bool OpenLong() {
  mox::CurrentOptions().PkFontPath = MOX_BENCH_PK_PATH;
  return mox::OpenDviFile(kLongDocument) == 0 && mox::PreScan() == 0;
}

std::size_t Glyphs() { return mox::Fonts().PkGlyphs.size(); }

void LoadRunFromFiles(benchmark::State& state) {
  std::size_t glyphs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    if (!OpenLong()) {
      state.SkipWithError("the long document does not open");
      break;
    }
    state.ResumeTiming();
    if (mox::LoadFonts() != 0) {
      state.SkipWithError("its fonts do not load: run tools/fixtures/make-bench-fonts.sh");
      break;
    }
    glyphs = Glyphs();
    mox::CloseDviFile();
  }
  state.counters["glyphs"] = static_cast<double>(glyphs);
  state.SetItemsProcessed(state.iterations() * static_cast<long>(glyphs));
}
BENCHMARK(LoadRunFromFiles)->Unit(benchmark::kMillisecond);

void LoadRunFromCarryOver(benchmark::State& state) {
  if (!OpenLong() || mox::LoadFonts() != 0) {
    state.SkipWithError("its fonts do not load: run tools/fixtures/make-bench-fonts.sh");
    return;
  }
  for (auto _ : state) {
    mox::SaveCarryOver();
    mox::CloseDviFile();
    if (!OpenLong() || mox::LoadFonts() != 0) {
      state.SkipWithError("the reload failed");
      break;
    }
    mox::DiscardCarryOver();
  }
  mox::CloseDviFile();
}
BENCHMARK(LoadRunFromCarryOver)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
