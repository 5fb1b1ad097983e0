// A registry state for the PK loader without a DVI file: PK fonts with glyph
// groups entered by hand, TeX's units at 600 dpi, PK files under
// <test folder>/dpi<resolution>/, the fake generator reset, and a file system
// that counts what the loader opens and removes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/fonts/carry_over.h"
#include "previewer/fonts/font_registry.h"
#include "previewer/fonts/load_run.h"
#include "previewer/fonts/pk_font.h"
#include "previewer/render/preview_document.h"
#include "tests/fonts/pk_generator_fake.h"
#include "tests/support/counting_files.h"
#include "tests/support/document_fixture.h"
#include "tests/support/dvi_writer.h"

namespace mox::test {

// 1 pt in DVI units of a TeX file.
inline constexpr std::int32_t kPoint = 65536;

class PkFontTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    doc_.Dvi.Num = DviWriter::kTexNum;
    doc_.Dvi.Den = DviWriter::kTexDen;
    doc_.Dvi.Magnification = 1000;
    doc_.Load.PkGeneratorRan = false;
    doc_.Load.MissingPkFonts.clear();
    TheFakePkGenerator() = FakePkGenerator{};
    DiscardCarryOver(doc_.CarryOver);
    PreparePkFileNames(doc_, dir_.Path() + kSeparator + "dpi$d" + kSeparator);
  }

  void TearDown() override {
    DiscardCarryOver(doc_.CarryOver);
    TheFakePkGenerator() = FakePkGenerator{};
    DocumentTest::TearDown();
  }

  // Adds a PK font with one glyph record per code (ascending, as the
  // pre-scan makes them); gives its index.
  std::size_t AddFont(const std::string& name, const std::vector<std::uint8_t>& codes,
                      std::int32_t scaled_size = 10 * kPoint,
                      std::int32_t design_size = 10 * kPoint) {
    FontRegistry& fonts = doc_.Fonts;
    PkFont font;
    font.Number = static_cast<std::uint8_t>(fonts.PkFonts.size());
    font.ScaledSize = scaled_size;
    font.DesignSize = design_size;
    font.Name = name;
    fonts.PkFonts.push_back(font);
    if (fonts.PkGlyphBounds.empty()) fonts.PkGlyphBounds.push_back(0);
    for (std::uint8_t code : codes) {
      PkGlyph glyph;
      glyph.Code = code;
      fonts.PkGlyphs.push_back(std::move(glyph));
    }
    fonts.PkGlyphBounds.push_back(static_cast<std::uint32_t>(fonts.PkGlyphs.size()));
    return fonts.PkFonts.size() - 1;
  }

  // The glyph record of a code in a font's group.
  PkGlyph& Glyph(std::size_t font, std::uint8_t code) {
    FontRegistry& fonts = doc_.Fonts;
    for (std::uint32_t i = fonts.PkGlyphBounds[font]; i < fonts.PkGlyphBounds[font + 1]; ++i) {
      if (fonts.PkGlyphs[i].Code == code) return fonts.PkGlyphs[i];
    }
    ADD_FAILURE() << "no glyph record for code " << int{code};
    static PkGlyph none;
    return none;
  }

  // <test folder>/dpi<resolution>/<file name>.PK, its folder made.
  std::string PkPath(int resolution, const std::string& file_name) const {
    const std::string folder = dir_.Path() + kSeparator + "dpi" + std::to_string(resolution);
    std::filesystem::create_directories(folder);
    return folder + kSeparator + file_name + ".PK";
  }

  std::string WritePk(int resolution, const std::string& file_name, const std::string& data) {
    const std::string path = PkPath(resolution, file_name);
    WriteFile(path, data);
    return path;
  }

  // Loads a font; gives the abort's message when it aborts.
  std::optional<std::string> Load(std::size_t font) {
    return AbortMessageOf([&] { LoadPkFont(doc_, font); });
  }

  // The message of a bad file at path.
  std::string BadFile(const std::string& specific, const std::string& path) {
    return specific + ".\n\"" + path + "\" deleted.\nPlease reopen the DVI file.";
  }
};

}  // namespace mox::test
