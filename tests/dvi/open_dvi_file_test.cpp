#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "previewer/dvi/document_operation.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/fonts/font_registry.h"
#include "previewer/render/preview_document.h"
#include "tests/support/dba_writer.h"
#include "tests/support/document_fixture.h"
#include "tests/support/dvi_writer.h"

namespace mox {
namespace {

using test::DviFontDef;
using test::DviPostamble;
using test::DviWriter;
using test::SimpleDvi;

// Pixels per DVI unit of a TeX file (1 unit = 1 sp) at 600 dpi, mag 1000.
constexpr double kTexConversion = 600.0 / 72.27 / 65536.0;

class OpenDviFileTest : public test::DocumentTest {};

TEST_F(OpenDviFileTest, BuildsThePageIndexAndTheDocumentState) {
  DviWriter dvi;
  dvi.Preamble("TeX output");
  for (const std::int32_t count0 : {5, -2, 7}) dvi.BeginPage(count0).SetChar('a').EndPage();
  DviPostamble postamble;
  postamble.MaxHeightDepth = 1234;
  postamble.MaxWidth = 5678;
  postamble.MaxStack = 7;
  dvi.Finish(postamble);

  ASSERT_EQ(OpenBytes(dvi.Data()), 0);
  const DviDocument& document = doc_.Dvi;
  EXPECT_TRUE(document.Loaded);
  EXPECT_TRUE(ui_.Boxes.empty());
  ASSERT_EQ(document.Pages.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(document.Pages[i].Offset, dvi.PageOffsets()[i]);
    EXPECT_EQ(document.Pages[i].Ziti, 0);
  }
  EXPECT_EQ(document.Pages[0].Count0, 5);
  EXPECT_EQ(document.Pages[1].Count0, -2);
  EXPECT_EQ(document.Pages[2].Count0, 7);
  EXPECT_EQ(document.Name, path_);
  EXPECT_EQ(document.Base, 0u);
  EXPECT_FALSE(document.Archive);
  EXPECT_EQ(document.DviLength, dvi.Size());
  EXPECT_EQ(document.Comment, "TeX output");
  EXPECT_EQ(document.Num, DviWriter::kTexNum);
  EXPECT_EQ(document.Den, DviWriter::kTexDen);
  EXPECT_EQ(document.Magnification, 1000u);
  EXPECT_EQ(document.MaxHeightDepth, 1234);
  EXPECT_EQ(document.MaxWidth, 5678);
  EXPECT_EQ(document.StackSize, 17u);
  EXPECT_NEAR(document.ConversionX, kTexConversion, 1e-12);
  EXPECT_NEAR(document.ConversionY, kTexConversion, 1e-12);
  EXPECT_EQ(document.DummyFont, -1);
  EXPECT_TRUE(document.Reader.IsOpen());  // the scanner reads on from here
}

TEST_F(OpenDviFileTest, TheCommentGoesToTheStatusLine) {
  ASSERT_EQ(OpenBytes(SimpleDvi({1}, "hello")), 0);
  EXPECT_EQ(ui_.Captions, std::vector<std::string>{path_ + ": 'hello'"});

  ui_.Captions.clear();
  ASSERT_EQ(OpenBytes(SimpleDvi({1}, "")), 0);
  EXPECT_TRUE(ui_.Captions.empty());
  EXPECT_EQ(doc_.Dvi.Comment, "");
}

TEST_F(OpenDviFileTest, TheMagnificationOptionDoublesEveryPixelSize) {
  // A Chinese font of 10 pt by 10 pt: 83 pixels at 600 dpi.
  const DviFontDef chinese{.Number = 1, .Checksum = 10 << 20, .ScaledSize = 655360,
                           .DesignSize = 655360, .Name = "ccfntA"};
  const std::string bytes = SimpleDvi({1}, "x", {chinese});
  ASSERT_EQ(OpenBytes(bytes), 0);
  const double conversion = doc_.Dvi.ConversionX;
  ASSERT_EQ(doc_.Fonts.ChineseFonts.size(), 1u);
  EXPECT_EQ(doc_.Fonts.ChineseFonts[0].PixelWidth, 83);
  EXPECT_EQ(doc_.Fonts.ChineseFonts[0].PixelHeight, 83);

  doc_.Settings.Magnification = 2000;
  ASSERT_EQ(OpenBytes(bytes), 0);
  EXPECT_EQ(doc_.Dvi.Magnification, 2000u);
  EXPECT_NEAR(doc_.Dvi.ConversionX, 2 * conversion, 1e-12);
  EXPECT_NEAR(doc_.Dvi.ConversionY, 2 * conversion, 1e-12);
  EXPECT_EQ(doc_.Fonts.ChineseFonts[0].PixelWidth, 166);
  EXPECT_EQ(doc_.Fonts.ChineseFonts[0].PixelHeight, 166);

  CloseDviFile(doc_);  // closing keeps the option's magnification
  EXPECT_EQ(doc_.Dvi.Magnification, 2000u);

  // Each direction has its own resolution.
  doc_.Settings.ResolutionY = 300;
  ASSERT_EQ(OpenBytes(bytes), 0);
  EXPECT_NEAR(doc_.Dvi.ConversionY, conversion, 1e-12);
  EXPECT_NEAR(doc_.Dvi.ConversionX, 2 * conversion, 1e-12);
}

TEST_F(OpenDviFileTest, Mer2DviCommentsMoveTheChineseBoundaries) {
  const auto boundaries = [&] {
    return std::vector<std::int32_t>{doc_.Dvi.Boundary1, doc_.Dvi.Boundary2,
                                     doc_.Dvi.Boundary3};
  };
  ASSERT_EQ(OpenBytes(SimpleDvi({1}, "Mer2Dvi 1.0")), 0);
  EXPECT_TRUE(doc_.Dvi.Mer2Dvi);
  EXPECT_EQ(boundaries(), (std::vector<std::int32_t>{1880, 5640, 8648}));

  // Opening again keeps them; the next plain file resets them.
  ASSERT_EQ(OpenBytes(SimpleDvi({1}, "Mer2Dvi")), 0);
  EXPECT_EQ(boundaries(), (std::vector<std::int32_t>{1880, 5640, 8648}));
  ASSERT_EQ(OpenBytes(SimpleDvi({1}, "TeX output")), 0);
  EXPECT_FALSE(doc_.Dvi.Mer2Dvi);
  EXPECT_EQ(boundaries(), (std::vector<std::int32_t>{1410, 5170, 8178}));

  // The mark is case-sensitive and must stand at the start.
  for (const char* comment : {"mer2dvi", "Mer2Dv", " Mer2Dvi"}) {
    ASSERT_EQ(OpenBytes(SimpleDvi({1}, comment)), 0);
    EXPECT_FALSE(doc_.Dvi.Mer2Dvi) << comment;
    EXPECT_EQ(doc_.Dvi.Boundary1, 1410);
  }
}

TEST_F(OpenDviFileTest, AnyNumberOfTrailerBytesFromFour) {
  DviWriter seven;
  seven.Preamble().BeginPage(1).EndPage().Postamble().PostPost().Trailer(7);
  EXPECT_EQ(OpenBytes(seven.Data()), 0);

  DviWriter many;
  many.Preamble().BeginPage(1).EndPage().Postamble().PostPost().Trailer(1000);
  EXPECT_EQ(OpenBytes(many.Data()), 0);

  DviWriter three;
  three.Preamble().BeginPage(1).EndPage().Postamble().PostPost().Trailer(3);
  EXPECT_EQ(OpenError(three.Data()), "Invalid DVI file");
}

TEST_F(OpenDviFileTest, FontTablesFromThePostamble) {
  DviWriter dvi;
  dvi.Preamble().BeginPage(1).EndPage();
  DviPostamble postamble;
  postamble.Fonts = {
      {.Number = 9, .Checksum = 77, .ScaledSize = 720896, .DesignSize = 655360,
       .Area = "fonts/", .Name = "cmbx10"},
      {.Number = 3, .Name = "CCDUMMY"},
      {.Number = 4, .Checksum = 12 << 20, .DesignSize = 786432, .Name = "CCFNTs"},
      {.Number = 2, .Name = "cmr10"},
      {.Number = 200, .Checksum = 10 << 20, .DesignSize = 655360, .Name = "ccfnta10",
       .NumberBytes = 4},
  };
  dvi.Postamble(postamble).Nop().Nop();  // nop may stand among the definitions
  dvi.PostPost().Trailer();
  ASSERT_EQ(OpenBytes(dvi.Data()), 0);

  const FontRegistry& fonts = doc_.Fonts;
  EXPECT_EQ(doc_.Dvi.DummyFont, 3);
  ASSERT_EQ(fonts.PkFonts.size(), 2u);
  EXPECT_EQ(fonts.PkFonts[0].Number, 2);
  EXPECT_EQ(fonts.PkFonts[0].Name, "cmr10");
  EXPECT_EQ(fonts.PkFonts[1].Number, 9);
  EXPECT_EQ(fonts.PkFonts[1].Name, "fonts/cmbx10");
  EXPECT_EQ(fonts.PkFonts[1].Checksum, 77);
  EXPECT_EQ(fonts.PkFonts[1].ScaledSize, 720896);
  EXPECT_EQ(fonts.PkFonts[1].DesignSize, 655360);

  // Chinese fonts, widest first: 12 pt (100 pixels) before 10 pt (83).
  ASSERT_EQ(fonts.ChineseFonts.size(), 2u);
  EXPECT_EQ(fonts.ChineseFonts[0].Number, 4);
  EXPECT_EQ(fonts.ChineseFonts[0].Ziti, 'S');
  EXPECT_EQ(fonts.ChineseFonts[0].PixelWidth, 100);
  EXPECT_EQ(fonts.ChineseFonts[0].PixelHeight, 100);
  EXPECT_EQ(fonts.ChineseFonts[0].DesignSize, 786432);
  EXPECT_EQ(fonts.ChineseFonts[1].Number, 200);
  EXPECT_EQ(fonts.ChineseFonts[1].Ziti, 'A');
  EXPECT_EQ(fonts.ChineseFonts[1].PixelWidth, 83);

  for (const ChineseSlot& slot : fonts.Slots) {
    EXPECT_TRUE(slot.Glyphs.empty());
    EXPECT_TRUE(slot.Used.empty());
  }
}

TEST_F(OpenDviFileTest, ADbaArchiveHoldsItsDviDataAfterTheDirectory) {
  const std::string dvi = SimpleDvi({1, 2});
  const std::string archive =
      test::MakeDbaArchive(dvi, {{"fig1.bmf", std::string(300, 'x')}, {"fig2.bmf", "yy"}});
  ASSERT_EQ(OpenBytes(archive, "test.dba"), 0);
  const DviDocument& document = doc_.Dvi;
  EXPECT_TRUE(document.Archive);
  EXPECT_EQ(document.Base, 60u);
  EXPECT_EQ(document.ArchiveEntryCount, 2);
  EXPECT_EQ(document.DviLength, dvi.size());
  ASSERT_EQ(document.Pages.size(), 2u);
  // Offsets are those of the DVI file on its own.
  ASSERT_EQ(OpenBytes(dvi), 0);
  const std::vector<PageEntry> plain = doc_.Dvi.Pages;
  ASSERT_EQ(OpenBytes(archive, "test.dba"), 0);
  EXPECT_EQ(doc_.Dvi.Pages[1].Offset, plain[1].Offset);

  // No members: the DVI data starts right after the header.
  ASSERT_EQ(OpenBytes(test::MakeDbaArchive(dvi, {}), "empty.dba"), 0);
  EXPECT_EQ(doc_.Dvi.Base, 12u);
}

TEST_F(OpenDviFileTest, ADbaArchiveMustHoldItsDviLength) {
  const std::string dvi = SimpleDvi({1});
  std::string archive = test::MakeDbaArchive(dvi, {{"a.bmf", "data"}});
  archive[4] = static_cast<char>(0xFF);  // stored length now far beyond the file
  archive[7] = 0x7F;
  EXPECT_EQ(OpenError(archive), "Invalid DVI file");

  // A stored length that cuts the trailer off: the members are no trailer.
  archive = test::MakeDbaArchive(dvi, {{"a.bmf", std::string(8, '\xDF')}});
  archive[4] = static_cast<char>(dvi.size() - 8);
  EXPECT_EQ(OpenError(archive), "Invalid DVI file");

  // A font name running past the DVI data is not read on into the members
  // (which here would end it with a post_post).
  DviWriter long_name;
  long_name.Preamble().BeginPage(1).EndPage().Postamble();
  long_name.Byte(243).Byte(1).Raw(std::string(12, '\0')).Byte(0).Byte(200);
  long_name.PostPost().Trailer();
  EXPECT_EQ(OpenError(test::MakeDbaArchive(long_name.Data(), {{"a.bmf", std::string(300, '\xF9')}})),
            "Invalid DVI file");

  // The directory alone is longer than the file.
  archive = test::MakeDbaArchive(dvi, {});
  archive[8] = static_cast<char>(0xFF);
  archive[9] = static_cast<char>(0xFF);
  EXPECT_EQ(OpenError(archive), "Invalid DVI file");
}

TEST_F(OpenDviFileTest, CloseReleasesTheDocument) {
  doc_.SelectPages("1:3");
  ASSERT_EQ(OpenBytes(SimpleDvi({1, 2}, "Mer2Dvi", {{.Number = 5, .Name = "ccfntb"}})), 0);
  // Opening discards the ranges of the previous document first.
  EXPECT_TRUE(doc_.Selection.Ranges().empty());
  doc_.SelectPages("1:3");
  CloseDviFile(doc_);
  const DviDocument& document = doc_.Dvi;
  EXPECT_FALSE(document.Loaded);
  EXPECT_FALSE(document.Reader.IsOpen());
  EXPECT_TRUE(document.Pages.empty());
  EXPECT_TRUE(doc_.Selection.Ranges().empty());
  EXPECT_TRUE(doc_.Fonts.PkFonts.empty());
  EXPECT_TRUE(doc_.Fonts.ChineseFonts.empty());
  EXPECT_FALSE(document.Mer2Dvi);
  EXPECT_EQ(document.Boundary1, 1410);
  EXPECT_EQ(document.Magnification, 0u);
  EXPECT_EQ(document.DummyFont, -1);
  CloseDviFile(doc_);  // closing twice is harmless
  EXPECT_FALSE(document.Loaded);
}

TEST_F(OpenDviFileTest, ReopeningAClosedFileByName) {
  ASSERT_EQ(OpenBytes(SimpleDvi({1, 2})), 0);
  doc_.Dvi.Reader.Close();
  ReopenDviFile(doc_);
  ASSERT_TRUE(doc_.Dvi.Reader.IsOpen());
  doc_.Dvi.Reader.Seek(doc_.Dvi.Pages[1].Offset);
  EXPECT_EQ(doc_.Dvi.Reader.ReadByte(), 139);  // bop

  doc_.Dvi.Reader.Close();
  ASSERT_TRUE(platform::Files().Remove(path_));
  EXPECT_EQ(GuardDocumentOperation(doc_, [&] {
              ReopenDviFile(doc_);
              return 0;
            }),
            1);
  EXPECT_EQ(OnlyError(), "Cannot reopen DVI file!");
  EXPECT_FALSE(doc_.Dvi.Loaded);
}

TEST_F(OpenDviFileTest, AReopenedArchiveIsReadOnlyAsFarAsItsDviData) {
  const std::string dvi = SimpleDvi({1});
  ASSERT_EQ(OpenBytes(test::MakeDbaArchive(dvi, {{"a.bmf", "member"}})), 0);
  doc_.Dvi.Reader.Close();
  ReopenDviFile(doc_);
  EXPECT_EQ(doc_.Dvi.Reader.FileLength(), doc_.Dvi.Base + dvi.size());
}

TEST_F(OpenDviFileTest, NoNameFailsQuietly) {
  ASSERT_EQ(OpenBytes(SimpleDvi({1})), 0);
  EXPECT_EQ(OpenDviFile(doc_, ""), 1);
  EXPECT_TRUE(ui_.Boxes.empty());
  EXPECT_FALSE(doc_.Dvi.Loaded);
}

}  // namespace
}  // namespace mox
