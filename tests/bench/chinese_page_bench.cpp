// A page dense with Chinese characters drawn from the program folder's
// outline fonts, as the previewer first shows it: the load run makes every
// glyph, then the page is drawn at 600 dpi. One page holds GB 2312's
// characters, the other GBK's beyond GB 2312 (the fonts of Unicode ranges);
// the time per character of the two is the comparison. The documents and
// fonts come from tests/bench/make-chinese-bench-documents.sh.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/user_interface.h"
#include "previewer/dvi/document_operation.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/fonts/load_run.h"
#include "previewer/render/page_renderer.h"
#include "previewer/startup/options.h"
#include "tests/bench/bench_document.h"

namespace {

using mox::bench::BenchDocument;

const std::string kFolder = MOX_BENCH_CHINESE_DIR;

// Boxes are printed, so that a document that does not load says why.
class PrintingUserInterface final : public mox::platform::UserInterface {
 public:
  int ShowBox(std::string_view text, std::string_view, unsigned style) override {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    return (style & 0x000F) == mox::platform::kBoxYesNo ? mox::platform::kAnswerYes
                                                        : mox::platform::kAnswerOk;
  }
  void SetCaption(std::string_view) override {}
};

class NullDevice final : public mox::RenderDevice {
 public:
  int ColourCount() const override { return -1; }
  void CopyBand(const mox::BandImage& band, int, int, int) override {
    benchmark::DoNotOptimize(band.Bits.data());
  }
  void DrawFrame(int, int, int, int) override {}
};

// Argument 0: the GB 2312 page; 1: the page beyond GB 2312.
void LoadAndDrawPage(benchmark::State& state) {
  const std::string name = state.range(0) == 0 ? "dense-gb2312.dvi" : "dense-gbk.dvi";
  static PrintingUserInterface ui;
  mox::platform::SetUi(&ui);
  mox::PreviewDocument& doc = BenchDocument();
  doc.Settings.ChineseFontPath = kFolder + "/full-hzfonts";
  doc.Settings.PkFontPath = kFolder + "/pk$d";  // the pages have no PK font
  std::size_t characters = 0;
  for (auto _ : state) {
    if (mox::OpenDviFile(doc, kFolder + "/" + name) != 0 || mox::PreScan(doc) != 0 ||
        mox::LoadFonts(doc) != 0 || mox::ScanPage(doc, 0) != 0) {
      state.SkipWithError("no document: run tests/bench/make-chinese-bench-documents.sh");
      break;
    }
    const mox::DviDocument& document = doc.Dvi;
    NullDevice device;
    mox::DrawPage(doc, device,
                  {0, 0, static_cast<int>(document.MaxWidth * document.ConversionX) + 1,
                   static_cast<int>(document.MaxHeightDepth * document.ConversionY) + 1},
                  1.0, {1.0, 0, 0, true});
    characters = 0;
    for (const mox::PageItem& item : doc.Page.Items) characters += item.Kind == mox::ItemChineseChar;
    mox::CloseDviFile(doc);
  }
  state.counters["characters"] = static_cast<double>(characters);
  state.SetItemsProcessed(state.iterations() * static_cast<long>(characters));
}
BENCHMARK(LoadAndDrawPage)->Arg(0)->Arg(1)->ArgName("beyond")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
