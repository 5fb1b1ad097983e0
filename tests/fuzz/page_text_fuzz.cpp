// Any bytes as a document read for its text: opened, pre-scanned and
// loaded with the fixture fonts, then every selected page read for its
// characters, links and anchors, the anchors of the whole document
// gathered, and a search run. Nothing may crash, hang or read outside a
// buffer; the document stays open whatever a page holds; and the start of
// a page's own plain text is found at its first character.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "previewer/dvi/document_operation.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/render/preview_document.h"
#include "previewer/startup/box_reporter.h"
#include "previewer/startup/options.h"
#include "previewer/text/copy_text.h"
#include "previewer/text/document_targets.h"
#include "previewer/text/find_text.h"
#include "previewer/text/page_text.h"
#include "previewer/text/text_flow.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

mox::Options FixtureOptions() {
  mox::Options options;
  const std::string folder = mox::fuzz::ScratchFolder() + "/program";
  std::filesystem::create_directories(folder);
  // No PK generator beside the program: none is ever started.
  options.ProgramPath = folder + "/moxfuzz";
  options.ProgramDirectory = folder + "/";
  options.PkFontPath = mox::fuzz::ScratchFolder() + "/pk/dpi$d";
  options.ChineseFontPath = MOX_FIXTURES_DIR "/hzfonts";
  options.FontMetricPath = MOX_FIXTURES_DIR "/vf";
  options.GhostscriptPath = mox::fuzz::ScratchFolder() + "/no-ghostscript";
  return options;
}

// The loader deletes a PK file it finds bad: the fonts are copies.
void CopyFixtureFonts() {
  std::error_code error;
  std::filesystem::copy(MOX_FIXTURES_DIR "/pk", mox::fuzz::ScratchFolder() + "/pk",
                        std::filesystem::copy_options::recursive |
                            std::filesystem::copy_options::skip_existing,
                        error);
}

void CheckStartIsFound(const mox::PageText& page) {
  const mox::TextFlow flow = mox::FlowOf(page);
  if (flow.Text.empty()) return;
  const std::string start = mox::Utf8Of(std::u32string_view(flow.Text).substr(0, 12));
  const auto match = mox::FindInPage(page, start, 0);
  Check(match && match->First == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static mox::fuzz::QuietYesUserInterface ui;
  mox::platform::SetUi(&ui);
  CopyFixtureFonts();
  mox::BoxReporter report;
  mox::PreviewDocument doc(report, FixtureOptions());
  const std::string path = mox::fuzz::WriteScratchFile("input.dvi", data, size);
  if (mox::OpenDviFile(doc, path) == 0 && mox::PreScan(doc) == 0 && mox::LoadFonts(doc) == 0) {
    const std::size_t pages = doc.Dvi.Pages.size();
    for (std::size_t page = 0; page < pages; ++page) {
      const auto text = mox::ReadPageText(doc, static_cast<int>(page));
      Check(doc.Dvi.Loaded);
      if (text) CheckStartIsFound(*text);
    }
    (void)mox::ReadDocumentTargets(doc);
    (void)mox::FindText(doc, "the", {0, 0}, true);
  }
  mox::CloseDviFile(doc);
  return 0;
}
