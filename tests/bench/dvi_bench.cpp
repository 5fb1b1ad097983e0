// Opening and pre-scanning a long real document, and scanning its pages:
// what the previewer does at start and at every page turn.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/user_interface.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/page_scanner.h"

namespace {

const std::string kLongDocument = std::string(MOX_FIXTURES_DIR) + "/dvi/long.dvi";

void OpenAndPreScan(benchmark::State& state) {
  std::size_t pages = 0;
  for (auto _ : state) {
    if (mox::OpenDviFile(kLongDocument) != 0 || mox::PreScan() != 0) {
      state.SkipWithError("the long document does not open");
      break;
    }
    pages = mox::Document().Pages.size();
    mox::CloseDviFile();
  }
  state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(OpenAndPreScan)->Unit(benchmark::kMillisecond);

void ScanEveryPage(benchmark::State& state) {
  if (mox::OpenDviFile(kLongDocument) != 0 || mox::PreScan() != 0) {
    state.SkipWithError("the long document does not open");
    return;
  }
  const int pages = static_cast<int>(mox::Document().Pages.size());
  int page = 0;
  for (auto _ : state) {
    if (mox::ScanPage(page) != 0) {
      state.SkipWithError("a page does not scan");
      break;
    }
    page = (page + 1) % pages;
  }
  state.SetItemsProcessed(state.iterations());
  mox::CloseDviFile();
}
BENCHMARK(ScanEveryPage)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
