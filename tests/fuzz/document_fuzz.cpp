// Any bytes as a document on the whole path the previewer takes with it:
// opening, pre-scanning, loading its glyphs from the fixture fonts, then
// scanning every selected page and drawing it at 1:1 and at 1:5 with the
// page frame, and closing. Each step must end with its result or with a
// message and the document closed; nothing may crash, hang or read outside
// a buffer, and no program may be started.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "previewer/base/document.h"
#include "previewer/dvi/document_operation.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/render/page_renderer.h"
#include "previewer/startup/dimension.h"
#include "previewer/startup/options.h"
#include "previewer/startup/page_selection.h"
#include "previewer/render/preview_document.h"
#include "previewer/startup/box_reporter.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// Takes the bands and keeps nothing.
class NullDevice final : public mox::RenderDevice {
 public:
  int ColourCount() const override { return -1; }
  void CopyBand(const mox::BandImage&, int, int, int) override {}
  void DrawFrame(int, int, int, int) override {}
};

// The largest part of a page drawn: a large window's worth. Pages of absurd
// sizes are drawn as far as that goes; the window never draws more at once.
constexpr double kLargestSide = 4096.0;

// The program lives in a folder of its own with no PK generator beside it:
// a missing PK font then gives the "cannot execute" message and the load
// run goes on, and no process is ever started.
std::string ProgramPath() {
  const std::string folder = mox::fuzz::ScratchFolder() + "/program";
  std::filesystem::create_directories(folder);
  return folder + "/moxfuzz";
}

mox::Options FixtureOptions() {
  mox::Options options;
  static const std::string program = ProgramPath();
  options.ProgramPath = program;
  options.ProgramDirectory = mox::fuzz::ScratchFolder() + "/program/";
  options.PkFontPath = mox::fuzz::ScratchFolder() + "/pk/dpi$d";
  options.ChineseFontPath = MOX_FIXTURES_DIR "/hzfonts";
  // The virtual font fixtures, found in their folder, never through kpsewhich.
  options.FontMetricPath = MOX_FIXTURES_DIR "/vf";
  // Figures are placed and framed; no Ghostscript is run for them.
  options.GhostscriptPath = mox::fuzz::ScratchFolder() + "/no-ghostscript";
  return options;
}

// The fixture's PK fonts, copied into the scratch folder before every input:
// the loader deletes a PK file it finds bad (a character the document uses
// and the file lacks counts as bad), so the fixtures themselves must never
// be the fonts a fuzzed document loads. Files already there are kept.
void CopyFixtureFonts() {
  std::error_code error;
  std::filesystem::copy(MOX_FIXTURES_DIR "/pk", mox::fuzz::ScratchFolder() + "/pk",
                        std::filesystem::copy_options::recursive |
                            std::filesystem::copy_options::skip_existing,
                        error);
}

// Pixels of a page side at a zoom, as the window computes them, kept within
// the largest side drawn.
int DrawnSide(double dvi_units, double conversion, double zoom, int margin) {
  const double pixels = dvi_units * zoom * conversion + 2.0 * margin;
  if (!(pixels >= 1.0)) return 1;
  return static_cast<int>(std::min(pixels, kLargestSide));
}

void DrawAt(mox::PreviewDocument& doc, double zoom) {
  const mox::Options& options = doc.Settings;
  const mox::DviDocument& document = doc.Dvi;
  const int margin_x = static_cast<int>(
      std::lround(mox::DimensionToPixels(options.MarginX, options.ResolutionX) * zoom));
  const int margin_y = static_cast<int>(
      std::lround(mox::DimensionToPixels(options.MarginY, options.ResolutionY) * zoom));
  const mox::PixelRect page{0, 0, DrawnSide(document.MaxWidth, document.ConversionX, zoom, margin_x),
                            DrawnSide(document.MaxHeightDepth, document.ConversionY, zoom, margin_y)};
  NullDevice device;
  mox::DrawPage(doc, device, page, 1.0, {zoom, margin_x, margin_y, false});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static mox::fuzz::QuietYesUserInterface ui;
  mox::platform::SetUi(&ui);
  // The sample's image beside the document, for its "BMF=taiji.bmf" special.
  static const bool image_copied = [] {
    std::error_code error;
    std::filesystem::copy_file(MOX_SAMPLES_DIR "/taiji.bmf",
                               mox::fuzz::ScratchFolder() + "/taiji.bmf",
                               std::filesystem::copy_options::overwrite_existing, error);
    return !error;
  }();
  (void)image_copied;
  CopyFixtureFonts();
  mox::BoxReporter report;
  mox::PreviewDocument doc(report, FixtureOptions());

  const std::string path = mox::fuzz::WriteScratchFile("input.dvi", data, size);
  if (mox::OpenDviFile(doc, path) == 0 && mox::PreScan(doc) == 0 && mox::LoadFonts(doc) == 0) {
    doc.SelectPages(doc.Settings.PageSelectionText);
    const std::size_t pages = doc.Dvi.Pages.size();
    for (std::size_t page = 0; page < pages && doc.Dvi.Loaded; ++page) {
      if (!doc.IsPageSelected(doc.Dvi.Pages[page].Count0, static_cast<std::int32_t>(page + 1))) {
        continue;
      }
      if (mox::ScanPage(doc, static_cast<int>(page)) != 0) break;
      DrawAt(doc, 1.0);
      DrawAt(doc, 0.2);
    }
  }
  mox::CloseDviFile(doc);
  return 0;
}
