// The load run on documents made by real TeX, with the fixture fonts: its
// order and progress lines, the Chinese slot fonts and their failures, and
// the carry-over that lets a reload read no font file.
#include "previewer/dvi/document_operation.h"
#include "previewer/fonts/load_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "previewer/dvi/page_scanner.h"
#include "previewer/fonts/carry_over.h"
#include "previewer/render/preview_document.h"
#include "tests/support/counting_files.h"
#include "tests/support/document_fixture.h"
#include "tests/support/dvi_writer.h"

namespace mox::test {
namespace {

std::string Fixtures(const std::string& path) { return std::string(MOX_FIXTURES_DIR) + "/" + path; }

bool IsFontFile(const std::string& path) {
  const std::string extension = std::filesystem::path(path).extension().string();
  return extension == ".PK" || extension == ".hzf" || extension == ".PZ" ||
         path.find("ccfonts.def") != std::string::npos;
}

class LoadRunTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    doc_.Settings.PkFontPath = Fixtures("pk/dpi$d");
    doc_.Settings.ChineseFontPath = Fixtures("hzfonts");
  }

  // Opens and pre-scans a document, answering Yes to any question.
  void Open(const std::string& path) {
    for (int i = 0; i < 4; ++i) ui_.AnswerNext(platform::kAnswerYes);
    ASSERT_EQ(OpenDviFile(doc_, path), 0);
    ASSERT_EQ(PreScan(doc_), 0);
  }

  // Copies a fixture into the test folder (and the same for a user font).
  std::string Copy(const std::string& fixture, const std::string& name) {
    const std::string path = dir_.File(name);
    std::filesystem::copy_file(Fixtures(fixture), path);
    return path;
  }

  std::size_t Loaded() const {
    std::size_t count = 0;
    for (const PkGlyph& glyph : doc_.Fonts.PkGlyphs) count += !glyph.Bitmap.empty();
    for (const ChineseSlot& slot : doc_.Fonts.Slots) {
      for (const ChineseGlyph& glyph : slot.Glyphs) count += !glyph.Bitmap.empty();
    }
    return count;
  }

  std::size_t Glyphs() const {
    std::size_t count = doc_.Fonts.PkGlyphs.size();
    for (const ChineseSlot& slot : doc_.Fonts.Slots) count += slot.Glyphs.size();
    return count;
  }

  std::ptrdiff_t CaptionIndex(const std::string& prefix) const {
    const auto found = std::find_if(ui_.Captions.begin(), ui_.Captions.end(),
                                    [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
    return found == ui_.Captions.end() ? -1 : found - ui_.Captions.begin();
  }
};

TEST_F(LoadRunTest, FillsEveryGlyphPkFontsFirst) {
  Open(Fixtures("dvi/chinese.dvi"));
  ASSERT_EQ(LoadFonts(doc_), 0);
  EXPECT_EQ(Loaded(), Glyphs());
  const std::ptrdiff_t pk = CaptionIndex("Loading font cmr10 at 10pt");
  ASSERT_GE(pk, 0);
  EXPECT_EQ(ui_.Captions[static_cast<std::size_t>(pk)].size(), 60u);  // padded
  // The outline slots come after the PK fonts, each starting with an empty line.
  const auto blank = std::find(ui_.Captions.begin() + pk, ui_.Captions.end(), "");
  EXPECT_NE(blank, ui_.Captions.end());
  EXPECT_EQ(doc_.Fonts.Slots[2].Source, WithTrailingSeparator(Fixtures("hzfonts")) + "uml1t1.hzf");
  // A glyph has the size of its font's cell.
  const ChineseGlyph& glyph = doc_.Fonts.Slots[2].Glyphs.front();
  const ChineseFont& font = doc_.Fonts.ChineseFonts[glyph.Font];
  EXPECT_EQ(glyph.Bitmap.size(),
            static_cast<std::size_t>((font.PixelWidth + 7) / 8 * font.PixelHeight));
}

TEST_F(LoadRunTest, MissingPkFontsAreNamedInOneWarningAndTheDocumentStillLoads) {
  // No PK files where the path points and no generator beside the program.
  doc_.Settings.PkFontPath = dir_.File("pk") + "/dpi$d";
  doc_.Settings.ProgramPath = dir_.File("moxwin32.exe");
  Open(Fixtures("dvi/plain.dvi"));
  ui_.Boxes.clear();
  ASSERT_EQ(LoadFonts(doc_), 0);
  ASSERT_EQ(ui_.Boxes.size(), 2u);
  EXPECT_EQ(ui_.Boxes[0].Text.rfind("Cannot execute", 0), 0u) << ui_.Boxes[0].Text;
  const std::string& warning = ui_.Boxes[1].Text;
  EXPECT_EQ(ui_.Boxes[1].Caption, "Warning");
  EXPECT_NE(warning.find("\ncmr10 at 10pt, 600 dpi"), std::string::npos) << warning;
  EXPECT_EQ(warning.find("601"), std::string::npos) << warning;
  EXPECT_EQ(Loaded(), 0u);
  EXPECT_EQ(ScanPage(doc_, 0), 0);
}

TEST_F(LoadRunTest, AWesternDocumentNeverReadsTheChineseDefinitions) {
  doc_.Settings.ChineseFontPath = dir_.File("nowhere");
  CountingFiles files;
  Open(Fixtures("dvi/plain.dvi"));
  ASSERT_EQ(LoadFonts(doc_), 0);
  for (const std::string& path : files.Opened) {
    EXPECT_EQ(path.find("ccfonts.def"), std::string::npos);
  }
}

TEST_F(LoadRunTest, MissingDefinitionsCloseTheDocumentAndForgetItsName) {
  doc_.Settings.ChineseFontPath = dir_.Path();
  Open(Fixtures("dvi/chinese.dvi"));
  EXPECT_EQ(LoadFonts(doc_), 1);
  EXPECT_FALSE(doc_.Dvi.Loaded);
  EXPECT_TRUE(doc_.Dvi.Name.empty());
  EXPECT_EQ(ui_.Boxes.back().Text,
            "**Error : file \"" + dir_.File("ccfonts.def") + "\" not found.");
}

TEST_F(LoadRunTest, SlotsWithoutAFontOrWithABrokenOneLeaveTheirCharactersEmpty) {
  // Ziti K's first level (slot 22) named nothing, then a file that is not there.
  std::string definitions;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const char* name = slot == 1 ? "umsym2.hzf" : slot == 2 ? "uml1t1.hzf" : slot == 3 ? "uml2t3.hzf"
                                                                                       : "";
    definitions += *name != '\0' ? std::string(name) + " 1.0\n" : "";
    if (*name == '\0') definitions += slot < 22 ? "NONE 1.0\n" : "";
  }
  doc_.Settings.ChineseFontPath = dir_.Path();
  for (const char* font : {"umsym2.hzf", "uml1t1.hzf", "uml2t3.hzf"}) {
    Copy(std::string("hzfonts/") + font, font);
  }
  WriteFile(dir_.File("ccfonts.def"), definitions);
  Open(Fixtures("dvi/chinese.dvi"));
  EXPECT_EQ(LoadFonts(doc_), 0);
  const std::string head =
      "These Chinese fonts cannot be used; their characters are left empty:\n";
  EXPECT_EQ(ui_.Boxes.back().Text, head + "Undefined font (ziti=K).");
  for (const ChineseGlyph& glyph : doc_.Fonts.Slots[22].Glyphs) EXPECT_TRUE(glyph.Bitmap.empty());
  EXPECT_FALSE(doc_.Fonts.Slots[3].Glyphs.empty());
  for (const ChineseGlyph& glyph : doc_.Fonts.Slots[3].Glyphs) EXPECT_FALSE(glyph.Bitmap.empty());

  ui_.Boxes.clear();
  definitions += "NONE 1.0\n";  // slot 22 now names a file that is not there
  WriteFile(dir_.File("ccfonts.def"), definitions);
  Open(Fixtures("dvi/chinese.dvi"));
  EXPECT_EQ(LoadFonts(doc_), 0);
  EXPECT_EQ(ui_.Boxes.back().Text, head + "FONTDRV: cannot open font \"" + dir_.Path() +
                                        std::string(1, kSeparator) + "NONE\", error code=1.");
}

TEST_F(LoadRunTest, AUserFontBesideTheDocumentServesSlotZero) {
  // A first-level character under ziti "@" (no ZiTi= special yet) is slot 0,
  // for which ccfonts.def names no usable file.
  DviWriter dvi;
  dvi.Preamble("user font");
  dvi.BeginPage(1).Down(100 * 65536).Font(1).SetChar(48).SetChar(33).EndPage();
  dvi.Finish({.Fonts = {{.Number = 1, .Checksum = 24 << 20, .ScaledSize = 24 * 65536,
                         .DesignSize = 24 * 65536, .Name = "ccfntA24"}}});
  const std::string document = dir_.File("paper.dvi");
  WriteFile(document, dvi.Data());

  Open(document);
  EXPECT_EQ(LoadFonts(doc_), 0);
  EXPECT_NE(ui_.Boxes.back().Text.find("NONE\", error code=1."), std::string::npos);

  Copy("hzfonts/uml1t3.hzf", "paper.PZ");
  Open(document);
  ASSERT_EQ(LoadFonts(doc_), 0);
  ASSERT_EQ(doc_.Fonts.Slots[0].Glyphs.size(), 1u);
  EXPECT_EQ(doc_.Fonts.Slots[0].Source, dir_.File("paper.PZ"));
  EXPECT_FALSE(doc_.Fonts.Slots[0].Glyphs[0].Bitmap.empty());
}

// A document of one page with the first-level characters of the given
// cells in font ccfntA of the given width (DVI units) and 24 pt height.
// Characters of the first level in a font `width` DVI units wide and
// `height_points` high (24 pt unless given).
std::string FirstLevelCharacters(const std::vector<int>& cells, std::int32_t width,
                                 std::int32_t height_points = 24) {
  DviWriter dvi;
  dvi.Preamble("cells");
  dvi.BeginPage(1).Special("ZiTi=A").Down(100 * 65536).Font(1);
  for (int cell : cells) dvi.SetChar(48).SetChar(static_cast<std::uint32_t>(32 + cell));
  dvi.EndPage();
  dvi.Finish({.Fonts = {{.Number = 1, .Checksum = height_points << 20, .ScaledSize = width,
                         .DesignSize = width, .Name = "ccfntA24"}}});
  return dvi.Data();
}

TEST_F(LoadRunTest, AGlyphTheDriverCannotMakeIsBlankWhenTheUserGoesOn) {
  // A one-glyph copy of the first-level font: cell 2 lies beyond its end.
  const std::string font = Copy("hzfonts/uml1t1.hzf", "one.hzf");
  std::string bytes = ReadFile(font);
  bytes[6] = bytes[4];
  bytes[7] = bytes[5];
  WriteFile(font, bytes);
  WriteFile(dir_.File("ccfonts.def"), "NONE 1.0\nNONE 1.0\none.hzf 1.0\n");
  doc_.Settings.ChineseFontPath = dir_.Path();
  WriteFile(dir_.File("paper.dvi"), FirstLevelCharacters({1, 2}, 24 * 65536));
  Open(dir_.File("paper.dvi"));
  ASSERT_EQ(LoadFonts(doc_), 0);  // answered Yes
  EXPECT_EQ(ui_.Boxes.back().Text,
            "Warning: failed to unpack the character. Error code=16, char code=1602\n\nContinue?");
  const std::vector<ChineseGlyph>& glyphs = doc_.Fonts.Slots[2].Glyphs;
  ASSERT_EQ(glyphs.size(), 2u);
  EXPECT_NE(glyphs[0].Bitmap, std::vector<std::uint8_t>(glyphs[0].Bitmap.size(), 0));
  // Blank, not the glyph the work buffer held before.
  EXPECT_EQ(glyphs[1].Bitmap, std::vector<std::uint8_t>(glyphs[0].Bitmap.size(), 0));
}

TEST_F(LoadRunTest, CharactersTooLargeToHoldRefuseTheDocumentBeforeAnyIsMade) {
  // 9600 pt wide at 600 dpi: about 80000 pixels, far beyond 8192.
  WriteFile(dir_.File("paper.dvi"), FirstLevelCharacters({1}, 9600 * 65536));
  Open(dir_.File("paper.dvi"));
  EXPECT_EQ(LoadFonts(doc_), 1);
  EXPECT_EQ(ui_.Boxes.back().Text,
            "Characters too large: font ccfnt (ziti A) at 9600pt and 600 dpi makes characters "
            "79701 pixels high, at most 8192 can be shown.");
  EXPECT_TRUE(doc_.Fonts.Slots[2].Glyphs.empty());  // the document is closed
  // Each within the limit, 60 of them more than a document may take:
  // refused as one, the font named with what it needs.
  std::vector<int> cells(60);
  for (int i = 0; i < 60; ++i) cells[static_cast<std::size_t>(i)] = i + 1;
  WriteFile(dir_.File("paper.dvi"), FirstLevelCharacters(cells, 480 * 65536, 480));
  Open(dir_.File("paper.dvi"));
  EXPECT_EQ(LoadFonts(doc_), 1);
  EXPECT_EQ(ui_.Boxes.back().Text,
            "The document's characters would take 114 MB, more than the 96 MB a document may "
            "take; most of it is font ccfnt (ziti A) at 480pt and 600 dpi, 114 MB.");
}

TEST(GlyphBitmapBytesTest, SidesAreBoundedAndTheCountNeverWraps) {
  test::RecordingReporter ui_;
  FontDocument doc_(ui_, Options{});
  EXPECT_EQ(GlyphBitmapBytes(9, 2), 4u);
  EXPECT_EQ(GlyphBitmapBytes(kMaxGlyphSide, kMaxGlyphSide), 8u * 1024 * 1024);
  EXPECT_EQ(GlyphBitmapBytes(kMaxGlyphSide + 1, 1), std::nullopt);
  EXPECT_EQ(GlyphBitmapBytes(0, 5), std::nullopt);
  // With a 32-bit size, as on the i686 build: (2^31 + 7) / 8 * 16 would wrap to 0.
  EXPECT_EQ(GlyphBitmapBytes<std::uint32_t>(INT32_MAX, 16), std::nullopt);
  EXPECT_EQ(GlyphBitmapBytes<std::uint32_t>(kMaxGlyphSide, kMaxGlyphSide), 8u * 1024 * 1024);
  // A cell from an absurd design size saturates instead of wrapping.
  doc_.Fonts.Definitions[2].Scale = 19999;
  EXPECT_EQ(ChineseGlyphSize(doc_, 2, INT32_MAX, INT32_MAX).Width, INT32_MAX);
  doc_.Fonts = FontRegistry{};
}

TEST_F(LoadRunTest, AReloadReadsNoFontFileWhenEveryGlyphExistedBefore) {
  const std::string document = Copy("dvi/chinese.dvi", "paper.dvi");
  Open(document);
  ASSERT_EQ(LoadFonts(doc_), 0);
  const std::size_t glyphs = Glyphs();

  // The file is written again (as TeX would) and the window reloads it.
  SaveCarryOver(doc_);
  CloseDviFile(doc_);
  std::filesystem::remove(document);
  std::filesystem::copy_file(Fixtures("dvi/chinese.dvi"), document);
  CountingFiles files;
  Open(document);
  ASSERT_EQ(LoadFonts(doc_), 0);
  DiscardCarryOver(doc_.CarryOver);
  EXPECT_EQ(Loaded(), glyphs);
  std::vector<std::string> fonts_read;
  std::copy_if(files.Opened.begin(), files.Opened.end(), std::back_inserter(fonts_read), IsFontFile);
  // Only the definitions are read again; no PK or outline font file.
  for (const std::string& path : fonts_read) {
    EXPECT_NE(path.find("ccfonts.def"), std::string::npos) << path;
  }
}

TEST_F(LoadRunTest, AReloadReadsOnlyTheFontsOfNewGlyphs) {
  // The old document had only the first page's glyphs; the new one has both.
  Open(Fixtures("dvi/chinese.dvi"));
  doc_.Settings.PageSelectionText.clear();
  ASSERT_EQ(LoadFonts(doc_), 0);
  SaveCarryOver(doc_);
  CloseDviFile(doc_);

  CountingFiles files;
  Open(Fixtures("dvi/mer2dvi.dvi"));
  ASSERT_EQ(LoadFonts(doc_), 0);
  EXPECT_EQ(Loaded(), Glyphs());
  // Another document: its glyphs partly differ, so some fonts are read.
  EXPECT_TRUE(std::any_of(files.Opened.begin(), files.Opened.end(), IsFontFile));
}

TEST_F(LoadRunTest, ThePkPathMustSayWhereTheResolutionGoes) {
  doc_.Settings.PkFontPath = Fixtures("pk/dpi600");
  Open(Fixtures("dvi/plain.dvi"));
  EXPECT_EQ(LoadFonts(doc_), 1);
  EXPECT_EQ(ui_.Boxes.back().Text, "Invalid PK font path (substring \"$d!\" not found)!");
}

TEST(LoadRunBuffersTest, TheGlyphWorkBufferOnlyGrows) {
  test::RecordingReporter ui_;
  FontDocument doc_(ui_, Options{});
  std::uint8_t* small = GlyphWorkBuffer(doc_.Load, 16);
  ASSERT_NE(small, nullptr);
  GlyphWorkBuffer(doc_.Load, 100000);
  EXPECT_GE(doc_.Load.Buffers.GlyphWork.size(), 100000u);
  GlyphWorkBuffer(doc_.Load, 10);
  EXPECT_GE(doc_.Load.Buffers.GlyphWork.size(), 100000u);
}

TEST(TrailingSeparatorTest, AddsOneOnlyWhereNeeded) {
  EXPECT_EQ(WithTrailingSeparator("C:\\MOX\\HZFONTS"), "C:\\MOX\\HZFONTS\\");
  EXPECT_EQ(WithTrailingSeparator("C:\\MOX\\HZFONTS\\"), "C:\\MOX\\HZFONTS\\");
  EXPECT_EQ(WithTrailingSeparator("C:"), "C:");
  EXPECT_EQ(WithTrailingSeparator(""), "");
  // A GBK character whose trail byte is 0x5C ("\\") ends the name: no separator.
  const std::string gbk_end = std::string("D:\\") + "\x81" + "\x5C";
  EXPECT_EQ(WithTrailingSeparator(gbk_end), gbk_end + "\\");
#ifndef _WIN32
  EXPECT_EQ(WithTrailingSeparator("/usr/share/hz"), "/usr/share/hz/");
#endif
}

}  // namespace
}  // namespace mox::test
