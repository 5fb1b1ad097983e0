// Any bytes as a document: opening, pre-scanning and scanning every page
// must end with a document or a message, never with a crash, a hang or a
// read outside a buffer.
#include <cstddef>
#include <cstdint>

#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/dvi/scan_document.h"
#include "previewer/startup/box_reporter.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static mox::fuzz::QuietYesUserInterface ui;
  mox::platform::SetUi(&ui);
  const std::string path = mox::fuzz::WriteScratchFile("input.dvi", data, size);
  mox::BoxReporter report;
  mox::ScanDocument doc(report, mox::Options{});
  if (mox::OpenDviFile(doc, path) == 0 && mox::PreScan(doc) == 0) {
    const std::size_t pages = doc.Dvi.Pages.size();
    for (std::size_t page = 0; page < pages && doc.Dvi.Loaded; ++page) {
      if (mox::ScanPage(doc, static_cast<int>(page)) != 0) break;
    }
  }
  mox::CloseDviFile(doc);
  return 0;
}
