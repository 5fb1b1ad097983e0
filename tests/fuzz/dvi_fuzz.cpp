// Any bytes as a document: opening, pre-scanning and scanning every page
// must end with a document or a message, never with a crash, a hang or a
// read outside a buffer.
#include <cstddef>
#include <cstdint>

#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/render/process_document.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static mox::fuzz::QuietYesUserInterface ui;
  mox::platform::SetUi(&ui);
  const std::string path = mox::fuzz::WriteScratchFile("input.dvi", data, size);
  if (mox::OpenDviFile(path) == 0 && mox::PreScan() == 0) {
    const std::size_t pages = mox::Document().Pages.size();
    for (std::size_t page = 0; page < pages && mox::Document().Loaded; ++page) {
      if (mox::ScanPage(static_cast<int>(page)) != 0) break;
    }
  }
  mox::CloseDviFile();
  return 0;
}
