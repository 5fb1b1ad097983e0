// The PK loader on files made by the PK writer: finding the file, starting
// the generator, the packet forms, bad files, truncation and the carry-over.
#include "previewer/fonts/pk_font.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "previewer/startup/options.h"
#include "previewer/render/preview_document.h"
#include "tests/fonts/pk_font_fixture.h"
#include "tests/support/pk_writer.h"

namespace mox::test {
namespace {

const PkBitmap kA = PkBitmap::FromRows({".##.", "#..#", "####", "#..#", "#..#"});
const PkBitmap kB = PkBitmap::FromRows({"###.", "#..#", "###.", "#..#", "###."});
const PkBitmap kC = PkBitmap::FromRows({".###", "#...", "#...", ".###"});

PkCharacter Char(std::uint32_t code, const PkBitmap& bitmap, std::int32_t tfm_width = 1 << 19) {
  return PkCharacter{.Code = code, .TfmWidth = tfm_width, .XOffset = -1, .YOffset = 4,
                     .Bitmap = bitmap};
}

std::string FontFile(const std::vector<PkCharacter>& characters) {
  PkWriter pk;
  pk.Preamble();
  for (const PkCharacter& character : characters) pk.Character(character);
  pk.Postamble();
  return pk.Data();
}

std::vector<std::string> Rows(const PkGlyph& glyph) {
  return BitmapRows(glyph.Bitmap, static_cast<std::uint32_t>(glyph.Width),
                    static_cast<std::uint32_t>(glyph.Height));
}

const std::string kDeletedTail = "deleted.\nPlease reopen the DVI file.";

bool IsBadFileMessage(const std::string& message) {
  return message.size() > kDeletedTail.size() &&
         message.compare(message.size() - kDeletedTail.size(), kDeletedTail.size(),
                         kDeletedTail) == 0;
}

// ---------------------------------------------------------------------------
// File names and the search.

TEST_F(PkFontTest, FileNamesPutTheResolutionForTheFirstDollarD) {
  PreparePkFileNames(doc_, "C:\\PIXEL\\DPI$d\\");
  EXPECT_EQ(PkFileName(doc_.Load.PkPaths, 600, "cmr10", false), "C:\\PIXEL\\DPI600\\cmr10.PK");
  PreparePkFileNames(doc_, "/fonts/$D/pk/$d/");
  EXPECT_EQ(PkFileName(doc_.Load.PkPaths, 300, "cmbxsl10x", false), "/fonts/300/pk/$d/cmbxsl10x.PK");
  EXPECT_EQ(PkFileName(doc_.Load.PkPaths, 300, "cmbxsl10x", true), "/fonts/300/pk/$d/cmbxsl10.PK");
  EXPECT_EQ(PkFileName(doc_.Load.PkPaths, 300, "cmr10", true), "/fonts/300/pk/$d/cmr10.PK");
  // One separator comes off the working copy, not two.
  PreparePkFileNames(doc_, "dpi$d\\\\");
  EXPECT_EQ(PkFileName(doc_.Load.PkPaths, 72, "a", false), "dpi72\\\\a.PK");
  // The trail byte of a Chinese character is not a separator.
  PreparePkFileNames(doc_, "dpi$d\xD7\x5C");
  EXPECT_EQ(PkFileName(doc_.Load.PkPaths, 600, "a", false), "dpi600\xD7\x5C\\a.PK");
}

TEST_F(PkFontTest, ATemplateWithoutDollarDAbortsTheRun) {
  for (const char* path_template : {"C:\\PIXEL\\DPI\\", "dpi$x/", "dpi$", "d$/"}) {
    EXPECT_EQ(AbortMessageOf([&] { PreparePkFileNames(doc_, path_template); }),
              "Invalid PK font path (substring \"$d!\" not found)!")
        << path_template;
  }
  ui_.SetLanguage(Language::Chinese);
  EXPECT_EQ(AbortMessageOf([&] { PreparePkFileNames(doc_, "C:\\PIXEL\\"); }),
            "非法PK字库路径(路径中没有包含\"$d!\")!");
}

TEST_F(PkFontTest, TheFileOneBelowComesFirstThenTheExactOneThenOneAbove) {
  const std::size_t font = AddFont("cmr10", {'A'});
  WritePk(601, "cmr10", FontFile({Char('A', kC)}));
  ASSERT_EQ(Load(font), std::nullopt);
  EXPECT_EQ(Rows(Glyph(font, 'A')), kC.Rows());

  Glyph(font, 'A').Bitmap.clear();
  WritePk(600, "cmr10", FontFile({Char('A', kB)}));
  ASSERT_EQ(Load(font), std::nullopt);
  EXPECT_EQ(Rows(Glyph(font, 'A')), kB.Rows());

  Glyph(font, 'A').Bitmap.clear();
  const std::string below = WritePk(599, "cmr10", FontFile({Char('A', kA)}));
  CountingFiles files;
  ASSERT_EQ(Load(font), std::nullopt);
  EXPECT_EQ(Rows(Glyph(font, 'A')), kA.Rows());
  EXPECT_EQ(files.Opened, std::vector<std::string>{below});
  EXPECT_EQ(doc_.Fonts.PkFonts[font].File, below);
}

TEST_F(PkFontTest, ALongNameIsAlsoTriedWithItsFirstEightCharacters) {
  const std::size_t font = AddFont("cmbxsl10x", {'A'});
  const std::string short_file = WritePk(600, "cmbxsl10", FontFile({Char('A', kA)}));
  CountingFiles files;
  EXPECT_EQ(LoadPkFont(doc_, font), 1u);
  EXPECT_EQ(files.Opened, (std::vector<std::string>{PkPath(599, "cmbxsl10x"), PkPath(599, "cmbxsl10"),
                                                    PkPath(600, "cmbxsl10x"), short_file}));
  EXPECT_EQ(Rows(Glyph(font, 'A')), kA.Rows());
}

TEST_F(PkFontTest, AFontWithoutGlyphsOpensNothing) {
  AddFont("cmr10", {'A'});
  const std::size_t empty = AddFont("cmr7", {});
  CountingFiles files;
  EXPECT_EQ(LoadPkFont(doc_, empty), 0u);
  EXPECT_TRUE(files.Opened.empty());
}

// ---------------------------------------------------------------------------
// The generator.

TEST_F(PkFontTest, AFontNeitherFoundNorMadeIsMissingWithTheResolutionWanted) {
  // The generator cannot start: the font is missing and the run goes on.
  const std::size_t font = AddFont("cmbxsl10x", {'A'});
  CountingFiles files;
  EXPECT_EQ(Load(font), std::nullopt);
  EXPECT_EQ(TheFakePkGenerator().Calls, 1);
  EXPECT_TRUE(doc_.Load.PkGeneratorRan);
  EXPECT_TRUE(Glyph(font, 'A').Bitmap.empty());
  // r - 1, r and r + 1, each with the full and the short name, twice.
  EXPECT_EQ(files.Opened.size(), 12u);

  // The generator runs once a run: the next font is missing at once; each
  // is named with the resolution wanted, not the last file tried.
  const std::size_t next = AddFont("cmr7", {'A'}, 0x7FFFFFFF, 1);
  EXPECT_EQ(Load(next), std::nullopt);
  EXPECT_EQ(TheFakePkGenerator().Calls, 1);
  ASSERT_EQ(doc_.Load.MissingPkFonts.size(), 2u);
  EXPECT_EQ(doc_.Load.MissingPkFonts[0].Name, "cmbxsl10x");
  EXPECT_EQ(doc_.Load.MissingPkFonts[0].Resolution, 600);
  EXPECT_EQ(doc_.Load.MissingPkFonts[1].Name, "cmr7");
  EXPECT_EQ(doc_.Load.MissingPkFonts[1].Resolution, 2147483647);  // no overflow
}

TEST_F(PkFontTest, TheFilesAreTriedOnceMoreAfterTheGeneratorRan) {
  const std::size_t font = AddFont("cmr10", {'A'});
  TheFakePkGenerator().Action = [&] {
    WritePk(601, "cmr10", FontFile({Char('A', kA)}));
    return 0;
  };
  CountingFiles files;
  EXPECT_EQ(Load(font), std::nullopt);
  EXPECT_EQ(TheFakePkGenerator().Calls, 1);
  EXPECT_EQ(files.Opened.size(), 6u);
  EXPECT_EQ(Rows(Glyph(font, 'A')), kA.Rows());
}

TEST_F(PkFontTest, AFontTheGeneratorDidNotMakeIsAskedForOnlyAfterOpeningAnew) {
  // The generator ends without making the font: its TFM widths move the pen.
  const std::size_t font = AddFont("moxmetric", {'a', 'c', 'z'});
  doc_.Fonts.PkFonts[font].MetricFile = std::string(MOX_FIXTURES_DIR) + "/vf/moxmetric.tfm";
  TheFakePkGenerator().Action = [] { return 0; };
  EXPECT_EQ(Load(font), std::nullopt);
  EXPECT_EQ(TheFakePkGenerator().Calls, 1);
  EXPECT_EQ(Glyph(font, 'a').Advance, 5 * kPoint);
  EXPECT_EQ(Glyph(font, 'c').Advance, 25 * kPoint / 2);
  EXPECT_EQ(Glyph(font, 'z').Advance, 0);  // not in the font
  // A reload's run does not ask again; a file opened anew does.
  doc_.Load.PkGeneratorRan = false;
  EXPECT_EQ(Load(font), std::nullopt);
  EXPECT_EQ(TheFakePkGenerator().Calls, 1);
  doc_.Load.PkGeneratorRan = false;
  doc_.Load.UnmadeFonts.clear();
  EXPECT_EQ(Load(font), std::nullopt);
  EXPECT_EQ(TheFakePkGenerator().Calls, 2);
}

// ---------------------------------------------------------------------------
// Character packets.

TEST_F(PkFontTest, EveryPacketFormGivesItsFields) {
  const std::size_t font = AddFont("cmr10", {'A', 'B', 'C', 'D', 'E'});
  PkBitmap wide(300, 2);
  for (std::uint32_t x = 0; x < 300; x += 3) wide.Set(x, 1, true);
  PkBitmap raw(13, 3);
  for (std::uint32_t i = 0; i < 39; i += 2) raw.Pixels[i] = 1;
  WritePk(600, "cmr10",
          FontFile({
              {.Code = 'A', .TfmWidth = 0xFFFFFF, .Dx = 7 << 16, .XOffset = -128, .YOffset = 127,
               .Bitmap = kA, .Form = PkForm::Short},
              {.Code = 'B', .TfmWidth = 1 << 19, .Dx = 300 << 16, .XOffset = -300, .YOffset = 32767,
               .Bitmap = kB, .Form = PkForm::ExtendedShort},
              {.Code = 'C', .TfmWidth = -(1 << 19), .Dx = 1, .Dy = 2, .XOffset = -32768,
               .YOffset = 5, .Bitmap = kC, .Form = PkForm::Long},
              {.Code = 'D', .TfmWidth = 3 << 18, .XOffset = 2, .YOffset = 1, .Bitmap = wide},
              {.Code = 'E', .TfmWidth = 1 << 20, .XOffset = 0, .YOffset = 2, .Bitmap = raw,
               .Raster = EncodeRaw(raw)},
          }));
  ASSERT_EQ(Load(font), std::nullopt);

  const PkGlyph& a = Glyph(font, 'A');
  EXPECT_EQ(Rows(a), kA.Rows());
  EXPECT_EQ(a.XOffset, -128);
  EXPECT_EQ(a.YOffset, 127);
  // TeX's units: the advance is the TFM width times the scaled size.
  EXPECT_EQ(a.Advance, 10485759);  // (2^24 - 1) / 2^20 x 10 pt = 10485759.375

  const PkGlyph& b = Glyph(font, 'B');
  EXPECT_EQ(Rows(b), kB.Rows());
  EXPECT_EQ(b.XOffset, -300);
  EXPECT_EQ(b.YOffset, 32767);
  EXPECT_EQ(b.Advance, 327680);

  const PkGlyph& c = Glyph(font, 'C');
  EXPECT_EQ(Rows(c), kC.Rows());
  EXPECT_EQ(c.Width, 4);
  EXPECT_EQ(c.Height, 4);
  EXPECT_EQ(c.XOffset, -32768);
  EXPECT_EQ(c.YOffset, 5);
  EXPECT_EQ(c.Advance, -327680);  // a 4-byte TFM width has a sign

  const PkGlyph& d = Glyph(font, 'D');
  EXPECT_EQ(d.Width, 300);
  EXPECT_EQ(d.Height, 2);
  EXPECT_EQ(d.Bitmap.size(), 38u * 2);
  EXPECT_EQ(Rows(d), wide.Rows());
  EXPECT_EQ(d.Advance, 491520);

  const PkGlyph& e = Glyph(font, 'E');
  EXPECT_EQ(Rows(e), raw.Rows());
  EXPECT_EQ(e.Bitmap.size(), 2u * 3);
  EXPECT_EQ(e.Advance, 655360);
}

TEST_F(PkFontTest, SpecialsNoOpsAndCharactersNotNeededAreSkipped) {
  const std::size_t font = AddFont("cmr10", {'B'});
  PkBitmap big(200, 150);
  for (std::uint32_t i = 0; i < big.Pixels.size(); i += 7) big.Pixels[i] = 1;
  PkWriter pk;
  pk.NoOp().NoOp().Preamble("a longer comment").NoOp();
  pk.Special("one").Special("two", 2).Special(std::string(300, 'x'), 3).Special("four", 4);
  pk.NumSpecial(0xFFFFFFFF);
  pk.Character({.Code = 'A', .Bitmap = kA, .Form = PkForm::Short});
  pk.Character({.Code = 'A', .Bitmap = big, .Form = PkForm::ExtendedShort});
  pk.Character({.Code = 'C', .Bitmap = kC, .Form = PkForm::Long});
  // Unneeded characters are skipped unread, however broken.
  pk.Character({.Code = 'D', .Bitmap = kC, .Raster = PkRaster{1, true, "\xEE\xEE\xEE"}});
  pk.Character({.Code = 'E', .Bitmap = kC, .WidthField = 0xFFFF, .HeightField = 0xFFFF});
  pk.NoOp().Special("", 1);
  pk.Character(Char('B', kB));
  pk.Postamble();
  WritePk(600, "cmr10", pk.Data());
  EXPECT_EQ(Load(font), std::nullopt);
  EXPECT_EQ(Rows(Glyph(font, 'B')), kB.Rows());
}

TEST_F(PkFontTest, CharactersComeInAnyOrderAndTheFileIsLeftAfterTheLastOne) {
  const std::size_t font = AddFont("cmr10", {'A', 'B', 'C'});
  PkWriter pk;
  pk.Preamble();
  pk.Character(Char('C', kC)).Character(Char('A', kA));
  pk.Character(Char('A', kC));  // a second 'A': the first one is kept
  pk.Character(Char('B', kB));
  pk.Byte(250).Raw("whatever follows is never read");
  const std::string path = WritePk(600, "cmr10", pk.Data());
  EXPECT_EQ(LoadPkFont(doc_, font), 3u);
  EXPECT_EQ(Rows(Glyph(font, 'A')), kA.Rows());
  EXPECT_EQ(Rows(Glyph(font, 'B')), kB.Rows());
  EXPECT_EQ(Rows(Glyph(font, 'C')), kC.Rows());
  EXPECT_TRUE(FileExists(path));
}

TEST_F(PkFontTest, ZeroSizedCharactersAreOneBlankPixel) {
  const std::size_t font = AddFont("cmr10", {'A', 'B', 'C', 'D'});
  const PkBitmap ink = PkBitmap::FromRows({"########", "########"});
  WritePk(600, "cmr10",
          FontFile({
              Char('A', ink),  // leaves ink in the work buffer
              {.Code = 'B', .TfmWidth = 1 << 18, .XOffset = 3, .YOffset = -2,
               .Bitmap = PkBitmap(0, 5)},
              {.Code = 'C', .TfmWidth = 1 << 17, .XOffset = -4, .YOffset = 6,
               .Bitmap = PkBitmap(7, 0), .Form = PkForm::Long},
              // Sizes alone, with a raster that would not unpack.
              {.Code = 'D', .Bitmap = PkBitmap(0, 0), .Raster = PkRaster{3, false, "\xEE\xEE"},
               .WidthField = 0, .HeightField = 0xFFFF},
          }));
  ASSERT_EQ(Load(font), std::nullopt);
  for (std::uint8_t code : {'B', 'C', 'D'}) {
    const PkGlyph& glyph = Glyph(font, code);
    EXPECT_EQ(glyph.Width, 1);
    EXPECT_EQ(glyph.Height, 1);
    EXPECT_EQ(glyph.Bitmap, std::vector<std::uint8_t>{0});
  }
  EXPECT_EQ(Glyph(font, 'B').XOffset, 3);
  EXPECT_EQ(Glyph(font, 'B').YOffset, -2);
  EXPECT_EQ(Glyph(font, 'B').Advance, 163840);
  EXPECT_EQ(Glyph(font, 'C').XOffset, -4);
  EXPECT_EQ(Glyph(font, 'C').Advance, 81920);
}

TEST_F(PkFontTest, TheAdvanceConvertsTheTfmWidthIntoTheDocumentsUnits) {
  // 1 DVI unit = 10^-7 m: 5 pt = 5 / 72.27 in = 17572.99 units.
  doc_.Dvi.Num = 1;
  doc_.Dvi.Den = 1;
  const std::size_t font = AddFont("cmr10", {'A'});
  // 12 pt at 12 pt: the same file at the same resolution.
  const std::size_t larger = AddFont("cmr10", {'A'}, 12 * kPoint, 12 * kPoint);
  WritePk(600, "cmr10", FontFile({Char('A', kA, 1 << 19)}));
  ASSERT_EQ(Load(font), std::nullopt);
  EXPECT_EQ(Glyph(font, 'A').Advance, 17573);
  ASSERT_EQ(Load(larger), std::nullopt);
  EXPECT_EQ(Glyph(larger, 'A').Advance, 21088);  // 6 pt: 21087.59
}

// ---------------------------------------------------------------------------
// Files that are refused.

TEST_F(PkFontTest, ALongPacketAbove65535BytesAbortsAndKeepsTheFile) {
  const std::size_t font = AddFont("cmr10", {'A'});
  PkWriter pk;
  pk.Preamble();
  // 65535 is still allowed, here in a character that is not needed.
  pk.Character({.Code = 'Z', .Bitmap = PkBitmap(8, 1), .Form = PkForm::Long,
                .Raster = PkRaster{14, false, std::string(65535 - 28, '\0')}});
  pk.Character({.Code = 'Y', .Bitmap = kA, .Form = PkForm::Long, .PacketLength = 65536});
  pk.Character(Char('A', kA)).Postamble();
  const std::string path = WritePk(600, "cmr10", pk.Data());
  CountingFiles files;
  EXPECT_EQ(Load(font), "Character too big!");
  EXPECT_TRUE(FileExists(path));
  EXPECT_TRUE(files.Removed.empty());
  ui_.SetLanguage(Language::Chinese);
  EXPECT_EQ(Load(font), "字符太大");
}

struct BrokenFile {
  const char* Name;
  std::string Data;
  std::string Message;  // the specific part
};

std::vector<BrokenFile> BrokenFiles() {
  auto with = [&](std::vector<PkCharacter> characters) { return FontFile(characters); };
  PkWriter bad_id;
  bad_id.Preamble("test", 88).Character(Char('A', kA)).Postamble();
  PkWriter bad_command;
  bad_command.Preamble().Byte(248).Character(Char('A', kA)).Postamble();
  PkWriter second_pre;
  second_pre.Preamble().Preamble().Character(Char('A', kA)).Postamble();
  PkWriter no_post;
  no_post.Preamble().Character(Char('B', kB));
  const PkBitmap two_rows = PkBitmap::FromRows({"#.", "#.", ".#", ".#"});
  return {
      {"no pre byte", std::string("\xF6\xF6\x01", 3), "Invalid PK file"},
      {"nothing but no-ops", "\xF6\xF6", "Invalid PK file"},
      {"empty", "", "Invalid PK file"},
      {"wrong id", bad_id.Data(), "Invalid PK id"},
      {"command 248", bad_command.Data(), "Invalid PK command."},
      {"a second pre", second_pre.Data(), "Invalid PK command."},
      {"character missing", with({Char('B', kB)}), "undefined character(s) found"},
      {"ends without post", no_post.Data(), "undefined character(s) found"},
      {"wider than 8192", with({{.Code = 'A', .Bitmap = kA, .WidthField = 8193}}),
       "failed to unpack the character. Error code=1"},
      {"taller than 8192", with({{.Code = 'A', .Bitmap = kA, .HeightField = 8193}}),
       "failed to unpack the character. Error code=1"},
      {"raw wider than 8192",
       with({{.Code = 'A', .Bitmap = kA, .Raster = EncodeRaw(kA), .WidthField = 9000}}),
       "failed to unpack the character. Error code=1"},
      {"four gigapixels",
       with({{.Code = 'A', .Bitmap = kA, .Form = PkForm::Long, .WidthField = 0xFFFFFFFF,
              .HeightField = 0xFFFFFFFF}}),
       "failed to unpack the character. Error code=1"},
      {"two repeat counts in a row",
       with({{.Code = 'A', .Bitmap = two_rows,
              .Raster = PkRaster{1, true, PkNybbles(1).Repeat(1).Repeat(1).Run(1).Run(1).Bytes()}}}),
       "failed to unpack the character. Error code=2"},
      {"repeat past the last row",
       with({{.Code = 'A', .Bitmap = two_rows,
              .Raster = PkRaster{1, true, PkNybbles(1).Repeat(4).Run(1).Run(1).Bytes()}}}),
       "failed to unpack the character. Error code=3"},
      {"bytes left over",
       with({{.Code = 'A', .Bitmap = kA, .Raster = PkRaster{EncodePacked(kA, 3).DynF,
              EncodePacked(kA, 3).FirstBlack, EncodePacked(kA, 3).Bytes + '\0'}}}),
       "failed to unpack the character. Error code=4"},
      {"packet shorter than its raster",
       with({{.Code = 'A', .Bitmap = kA, .Raster = EncodePacked(kA, 3), .PacketLength = 9}}),
       "failed to unpack the character. Error code=4"},
      {"packet shorter than its preamble",
       with({{.Code = 'A', .Bitmap = kA, .Raster = EncodePacked(kA, 3), .PacketLength = 3}}),
       "failed to unpack the character. Error code=4"},
      {"raw packet too short",
       with({{.Code = 'A', .Bitmap = kA, .Raster = EncodeRaw(kA), .PacketLength = 9}}),
       "failed to unpack the character. Error code=4"},
  };
}

TEST_F(PkFontTest, ABadFileIsDeletedAndNamedInTheMessage) {
  for (const BrokenFile& bad : BrokenFiles()) {
    SCOPED_TRACE(bad.Name);
    doc_.Fonts = FontRegistry{};
    const std::size_t font = AddFont("cmr10", {'A'});
    const std::string path = WritePk(600, "cmr10", bad.Data);
    CountingFiles files;
    EXPECT_EQ(Load(font), BadFile(bad.Message, path));
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(files.Removed, std::vector<std::string>{path});
  }
}

TEST_F(PkFontTest, TheBadFileMessageFollowsTheLanguage) {
  ui_.SetLanguage(Language::Chinese);
  const std::size_t font = AddFont("cmr10", {'A'});
  PkWriter pk;
  pk.Preamble().Byte(255);
  std::string path = WritePk(600, "cmr10", pk.Data());
  EXPECT_EQ(Load(font), BadFile("非法PK命令", path));
  path = WritePk(600, "cmr10", FontFile({{.Code = 'A', .Bitmap = kA, .WidthField = 8193}}));
  EXPECT_EQ(Load(font), BadFile("字库数据错, 错误码=1", path));
  path = WritePk(600, "cmr10", FontFile({}));
  EXPECT_EQ(Load(font), BadFile("有字符没定义", path));
  path = WritePk(600, "cmr10", "");
  EXPECT_EQ(Load(font), BadFile("非法PK文件", path));
}

TEST_F(PkFontTest, AFileCutAnywhereIsABadFileUnlessEveryGlyphCameBefore) {
  PkBitmap big(40, 30);
  for (std::uint32_t y = 5; y < 25; ++y) {
    for (std::uint32_t x = y; x < 40; ++x) big.Set(x, y, true);
  }
  PkWriter pk;
  pk.NoOp().Preamble("cut").Special("special", 2).NumSpecial(7);
  pk.Character(Char('A', kA));
  pk.Character({.Code = 'B', .Bitmap = big, .Form = PkForm::ExtendedShort});
  pk.Character({.Code = 'C', .Bitmap = kC, .Form = PkForm::Long, .Raster = EncodeRaw(kC)});
  pk.Character({.Code = 'D', .Bitmap = PkBitmap(0, 3)});
  const std::uint32_t last_glyph_end = pk.Size();
  pk.Special("after").Postamble();
  const std::string whole = pk.Data();

  const std::size_t font = AddFont("cmr10", {'A', 'B', 'C', 'D'});
  const std::string path = WritePk(600, "cmr10", whole);
  ASSERT_EQ(Load(font), std::nullopt);
  std::vector<PkGlyph> expected(doc_.Fonts.PkGlyphs.begin(), doc_.Fonts.PkGlyphs.end());

  for (std::uint32_t length = 0; length < whole.size(); ++length) {
    SCOPED_TRACE(length);
    for (PkGlyph& glyph : doc_.Fonts.PkGlyphs) {
      PkGlyph empty;
      empty.Code = glyph.Code;
      glyph = std::move(empty);
    }
    WriteFile(path, whole.substr(0, length));
    const std::optional<std::string> message = Load(font);
    if (length >= last_glyph_end) {
      ASSERT_EQ(message, std::nullopt);
      for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(doc_.Fonts.PkGlyphs[i].Bitmap, expected[i].Bitmap);
      }
      continue;
    }
    ASSERT_TRUE(message.has_value());
    EXPECT_TRUE(IsBadFileMessage(*message)) << *message;
    EXPECT_FALSE(FileExists(path));
  }
}

// ---------------------------------------------------------------------------
// The carry-over of a reload.

TEST_F(PkFontTest, GlyphsCarriedOverAreTakenWithoutOpeningTheFile) {
  std::size_t font = AddFont("cmr10", {'A', 'B'});
  const std::string path = WritePk(
      600, "cmr10",
      FontFile({{.Code = 'A', .TfmWidth = 3 << 18, .XOffset = -2, .YOffset = 3, .Bitmap = kA},
                Char('B', kB)}));
  ASSERT_EQ(Load(font), std::nullopt);
  const std::vector<PkGlyph> loaded(doc_.Fonts.PkGlyphs.begin(), doc_.Fonts.PkGlyphs.end());
  SaveCarryOver(doc_);

  // The new document: the same font at the same resolution.
  doc_.Fonts = FontRegistry{};
  font = AddFont("cmr10", {'A', 'B'});
  {
    CountingFiles files;
    EXPECT_EQ(LoadPkFont(doc_, font), 2u);
    EXPECT_TRUE(files.Opened.empty());
  }
  for (std::size_t i = 0; i < loaded.size(); ++i) {
    const PkGlyph& glyph = doc_.Fonts.PkGlyphs[i];
    EXPECT_EQ(glyph.Bitmap, loaded[i].Bitmap);
    EXPECT_EQ(glyph.Width, loaded[i].Width);
    EXPECT_EQ(glyph.Height, loaded[i].Height);
    EXPECT_EQ(glyph.XOffset, loaded[i].XOffset);
    EXPECT_EQ(glyph.YOffset, loaded[i].YOffset);
    EXPECT_EQ(glyph.Advance, loaded[i].Advance);
  }

  // Another reload with one more character: the file gives only that one
  // (its 'A' has changed, but the carried 'A' is used).
  SaveCarryOver(doc_);
  doc_.Fonts = FontRegistry{};
  font = AddFont("cmr10", {'A', 'C'});
  WriteFile(path, FontFile({Char('A', kC), Char('C', kC)}));
  CountingFiles files;
  EXPECT_EQ(LoadPkFont(doc_, font), 2u);
  EXPECT_EQ(files.Opened, (std::vector<std::string>{PkPath(599, "cmr10"), path}));
  EXPECT_EQ(Rows(Glyph(font, 'A')), kA.Rows());
  EXPECT_EQ(Rows(Glyph(font, 'C')), kC.Rows());
}

TEST_F(PkFontTest, GlyphsOfAnotherResolutionAreNotCarriedOver) {
  std::size_t font = AddFont("cmr10", {'A'});
  WritePk(600, "cmr10", FontFile({Char('A', kA)}));
  ASSERT_EQ(Load(font), std::nullopt);
  SaveCarryOver(doc_);
  doc_.Fonts = FontRegistry{};
  font = AddFont("cmr10", {'A'}, 12 * kPoint);  // magstep 1: resolution 720
  const std::string path = WritePk(720, "cmr10", FontFile({Char('A', kB)}));
  CountingFiles files;
  EXPECT_EQ(LoadPkFont(doc_, font), 1u);
  EXPECT_EQ(files.Opened.back(), path);
  EXPECT_EQ(Rows(Glyph(font, 'A')), kB.Rows());
}

}  // namespace
}  // namespace mox::test
