// Any bytes as ccfonts.def: reading the Chinese font definitions must give
// every slot a file name of at most 12 bytes and a size correction within a
// factor of two, or (an empty input stands for a missing file) abort the
// document operation with its message. The same bytes as ucfonts.def give
// lines of ziti letters and file names of 1 to 12 bytes, or problems.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "previewer/dvi/document_operation.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/fonts/font_registry.h"
#include "previewer/startup/options.h"
#include "previewer/dvi/scan_document.h"
#include "previewer/startup/box_reporter.h"
#include "previewer/fonts/unicode_outline_fonts.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static mox::fuzz::QuietYesUserInterface ui;
  mox::platform::SetUi(&ui);
  mox::Options options;
  options.ChineseFontPath = mox::fuzz::ScratchFolder() + "/hzfonts";
  mox::BoxReporter report;
  mox::ScanDocument doc(report, options);
  const std::string path = mox::fuzz::WriteScratchFile("hzfonts/ccfonts.def", data, size);
  if (size == 0) mox::platform::Files().Remove(path);

  const int result = mox::GuardDocumentOperation(doc, [&doc] {
    mox::ReadChineseDefinitions(doc);
    return 0;
  });
  if (result == 0) {
    for (const mox::FontDefinition& definition : doc.Fonts.Definitions) {
      if (definition.FileName.size() > 12 || definition.Scale < 5000 ||
          definition.Scale > 20000) {
        std::abort();
      }
    }
  }

  const std::string unicode = mox::fuzz::WriteScratchFile("hzfonts/ucfonts.def", data, size);
  std::vector<std::string> problems;
  mox::ReadUnicodeDefinitions(doc, problems);
  for (const mox::UnicodeFontDefinition& definition : doc.Fonts.UnicodeDefinitions) {
    if (definition.Zitis == 0 || definition.Zitis >> (mox::kZitiCount + 1) != 0 ||
        definition.FileName.empty() || definition.FileName.size() > 12) {
      std::abort();
    }
  }
  mox::platform::Files().Remove(unicode);

  mox::CloseDviFile(doc);  // empties the font tables, definitions included
  return 0;
}
