// Any bytes as ccfonts.def: reading the Chinese font definitions must give
// every slot a file name of at most 12 bytes and a size correction within a
// factor of two, or (an empty input stands for a missing file) abort the
// document operation with its message.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/file_system.h"
#include "previewer/dvi/document_operation.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/fonts/font_registry.h"
#include "previewer/startup/options.h"
#include "previewer/render/process_document.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static mox::fuzz::QuietYesUserInterface ui;
  mox::platform::SetUi(&ui);
  mox::ResetOptions();
  mox::CurrentOptions().ChineseFontPath = mox::fuzz::ScratchFolder() + "/hzfonts";
  const std::string path = mox::fuzz::WriteScratchFile("hzfonts/ccfonts.def", data, size);
  if (size == 0) mox::platform::Files().Remove(path);

  const int result = mox::GuardDocumentOperation([] {
    mox::ReadChineseDefinitions();
    return 0;
  });
  if (result == 0) {
    for (const mox::FontDefinition& definition : mox::Fonts().Definitions) {
      if (definition.FileName.size() > 12 || definition.Scale < 5000 ||
          definition.Scale > 20000) {
        std::abort();
      }
    }
  }

  mox::CloseDviFile();  // empties the font tables, definitions included
  mox::ResetOptions();
  return 0;
}
