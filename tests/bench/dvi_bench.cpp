// Opening and pre-scanning a long real document, and scanning its pages:
// what the previewer does at start and at every page turn. The same text
// typeset with and without TeX's source specials (made by
// tools/fixtures/make-source-bench.sh) shows what keeping them costs.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/user_interface.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/page_scanner.h"
#include "tests/bench/bench_document.h"

namespace {

using mox::bench::BenchDocument;

const std::string kLongDocument = std::string(MOX_FIXTURES_DIR) + "/dvi/long.dvi";
const std::string kParagraphs = std::string(MOX_BENCH_SOURCE_DIR) + "/paragraphs-";

void OpenAndPreScan(benchmark::State& state, const std::string& document) {
  std::size_t pages = 0;
  for (auto _ : state) {
    if (mox::OpenDviFile(BenchDocument(), document) != 0 || mox::PreScan(BenchDocument()) != 0) {
      state.SkipWithError("the long document does not open");
      break;
    }
    pages = BenchDocument().Dvi.Pages.size();
    mox::CloseDviFile(BenchDocument());
  }
  state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK_CAPTURE(OpenAndPreScan, long, kLongDocument)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenAndPreScan, paragraphs, kParagraphs + "plain.dvi")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenAndPreScan, paragraphs_with_source_specials, kParagraphs + "src.dvi")
    ->Unit(benchmark::kMillisecond);

void ScanEveryPage(benchmark::State& state, const std::string& document) {
  if (mox::OpenDviFile(BenchDocument(), document) != 0 || mox::PreScan(BenchDocument()) != 0) {
    state.SkipWithError("the long document does not open");
    return;
  }
  const int pages = static_cast<int>(BenchDocument().Dvi.Pages.size());
  int page = 0;
  for (auto _ : state) {
    if (mox::ScanPage(BenchDocument(), page) != 0) {
      state.SkipWithError("a page does not scan");
      break;
    }
    page = (page + 1) % pages;
  }
  state.SetItemsProcessed(state.iterations());
  mox::CloseDviFile(BenchDocument());
}
BENCHMARK_CAPTURE(ScanEveryPage, long, kLongDocument)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ScanEveryPage, paragraphs, kParagraphs + "plain.dvi")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ScanEveryPage, paragraphs_with_source_specials, kParagraphs + "src.dvi")
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
