// Any bytes as a PK font: loading every character a document could ask for
// must end with glyphs or with the bad-file message, never with a read
// outside the file or a buffer.
#include <cstddef>
#include <cstdint>

#include "previewer/dvi/document_operation.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/fonts/font_registry.h"
#include "previewer/fonts/load_run.h"
#include "previewer/fonts/pk_font.h"
#include "previewer/dvi/scan_document.h"
#include "previewer/startup/box_reporter.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static mox::fuzz::QuietYesUserInterface ui;
  mox::platform::SetUi(&ui);
  mox::BoxReporter report;
  mox::ScanDocument doc(report, mox::Options{});
  mox::DviDocument& document = doc.Dvi;
  document.Num = 25400000;
  document.Den = 473628672;
  document.Magnification = 1000;
  // One 10 pt font at 600 dpi wanting every code.
  mox::FontRegistry& fonts = doc.Fonts;
  mox::PkFont font;
  font.ScaledSize = font.DesignSize = 655360;
  font.Name = "fuzz";
  fonts.PkFonts.push_back(font);
  fonts.PkGlyphBounds = {0};
  for (int code = 0; code < 256; ++code) {
    mox::PkGlyph glyph;
    glyph.Code = static_cast<std::uint8_t>(code);
    fonts.PkGlyphs.push_back(glyph);
  }
  fonts.PkGlyphBounds.push_back(256);
  mox::fuzz::WriteScratchFile("dpi600/fuzz.PK", data, size);
  doc.Load.PkGeneratorRan = true;  // a missing file must not start a generator
  mox::GuardDocumentOperation(doc, [&doc] {
    mox::PreparePkFileNames(doc, mox::fuzz::ScratchFolder() + "/dpi$d/");
    mox::LoadPkFont(doc, 0);
    return 0;
  });
  mox::CloseDviFile(doc);
  return 0;
}
