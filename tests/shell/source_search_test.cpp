// Source links of the page view on a document with source specials: the
// special forms TeX writes, inverse search from a point, forward search to
// a line (the same line on two pages, lines between specials, names with
// spaces, a .ctx beside its .tex) and a document without specials.
#include "previewer/dvi/source_specials.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/source_position.h"
#include "previewer/dvi/page_buffer.h"
#include "previewer/fonts/carry_over.h"
#include "previewer/render/memory_device.h"
#include "previewer/shell/page_view.h"
#include "previewer/render/preview_document.h"
#include "tests/shell/fake_window.h"
#include "tests/shell/view_fixture.h"

namespace mox::test {
namespace {

TEST(SourceSpecialText, BothFormsAndWhatIsNoSourceSpecial) {
  const auto parsed = [](const char* text) {
    const std::optional<SourceSpecial> special = ParseSourceSpecial(text);
    return special ? std::to_string(special->Line) + "|" + std::string(special->File)
                   : std::string("none");
  };
  EXPECT_EQ(parsed("src:123 my paper.tex"), "123|my paper.tex");
  EXPECT_EQ(parsed("src:123paper.tex"), "123|paper.tex");
  EXPECT_EQ(parsed("SRC:7"), "7|");
  EXPECT_EQ(parsed("src:99999999999 a.tex"), "2147483647|a.tex");
  EXPECT_EQ(parsed("src:0 a.tex"), "none");
  EXPECT_EQ(parsed("src:a.tex"), "none");
  EXPECT_EQ(parsed("em:line 1,2"), "none");
}

TEST(SourcePositionMessage, RoundTripsGbkPathsAndRefusesWhatIsNoPosition) {
  const platform::SourcePosition sent{12, "C:\\\xD6\xD0\xCE\xC4 docs\\a.ctx", "C:\\b.dvi"};
  const std::optional<std::string> text = platform::EncodeSourcePosition(sent);
  ASSERT_TRUE(text);
  EXPECT_EQ(*text, "12\nC:\\\xE4\xB8\xAD\xE6\x96\x87 docs\\a.ctx\nC:\\b.dvi");  // UTF-8
  const std::optional<platform::SourcePosition> got = platform::DecodeSourcePosition(*text);
  ASSERT_TRUE(got);
  EXPECT_EQ(got->Line, 12);
  EXPECT_EQ(got->File, sent.File);
  EXPECT_EQ(got->DviFile, sent.DviFile);
  for (const char* bad : {"0\na.tex", "12\n", "x\na.tex", "99999999999\na.tex", "3\na\tb.tex",
                          "3\n\xFF.tex"}) {
    EXPECT_FALSE(platform::DecodeSourcePosition(bad)) << bad;
  }
  EXPECT_FALSE(platform::EncodeSourcePosition({3, "a\xFF.tex", ""}));
}

class SourceSearchTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    view_.Zoom() = 1.0;
    doc_.Settings.InitialZoom = 1.0;
    doc_.Settings.PkFontPath = dir_.File("dpi$d");
    std::filesystem::create_directories(dir_.File("sub dir"));
  }

  // Page 1: lines 3 and 7 of doc.tex a paragraph apart, then line 9 of
  // "sub dir/part two.tex"; page 2: lines 12 and 7 (again) of doc.tex.
  void Open(bool with_specials = true) {
    DviWriter dvi;
    dvi.Preamble();
    const auto paragraph = [&](const std::string& special) {
      dvi.Down(24 * kPoint);
      if (with_specials) dvi.Special(special);
      dvi.Push().SetRule(8 * kPoint, 100 * kPoint).Pop();
    };
    dvi.BeginPage(1).Right(72 * kPoint).Down(48 * kPoint);
    paragraph("src:3 doc.tex");
    paragraph("src:7doc.tex");
    paragraph("src:9 sub dir/part two.tex");
    dvi.EndPage().BeginPage(2).Right(72 * kPoint).Down(48 * kPoint);
    paragraph("src:12 doc.tex");
    paragraph("src:7 doc.tex");
    dvi.EndPage().Finish();
    WriteFile(dir_.File("doc.dvi"), dvi.Data());
    view_.DviFileName = dir_.File("doc.dvi");
    MemoryDevice device(10, 10);
    view_.PaintView(device, {0, 0, 10, 10});
    ASSERT_TRUE(view_.IsDocumentOpen());
  }

  // The client y of a baseline given in points from the top of the page.
  std::int32_t ClientY(double points) const {
    return static_cast<std::int32_t>(points * 600 / 72.27) + view_.OffsetY;
  }

};

TEST_F(SourceSearchTest, InverseSearchTakesTheSpecialOfTheLineClicked) {
  Open();
  WriteFile(dir_.File("doc.ctx"), "");  // the source mox made doc.tex of
  // On the second paragraph's line, a little above its baseline.
  view_.InverseSearch(400, ClientY(96 - 4));
  // Above every special: the first; below the last: the last.
  view_.InverseSearch(400, 0);
  view_.InverseSearch(400, ClientY(130));
  EXPECT_EQ(window_.SourceLines,
            (std::vector<std::string>{dir_.File("doc.ctx") + ":7", dir_.File("doc.ctx") + ":3",
                                      dir_.File("sub dir/part two.tex") + ":9"}));
}

TEST_F(SourceSearchTest, ForwardSearchGoesToTheNearestLineAtOrBefore) {
  Open();
  // Line 10 lies between 7 and 12: the first page with line 7.
  EXPECT_TRUE(view_.ForwardSearch(dir_.File("doc.ctx"), 10));
  EXPECT_EQ(view_.CurrentPage, 0);
  ASSERT_EQ(window_.Marks.size(), 1u);
  const std::int32_t y = window_.Marks[0].Y + window_.Scroller.YPos * view_.UnitY;
  EXPECT_NEAR(y, ClientY(96), 1);
  // Line 7 is on the current page too once page 2 is shown.
  view_.GotoPage(1);
  // A search on the page shown still draws all of it again, not only the mark.
  const int invalidations = window_.Invalidations;
  EXPECT_TRUE(view_.ForwardSearch(dir_.File("doc.tex"), 7));
  EXPECT_EQ(view_.CurrentPage, 1);
  EXPECT_EQ(window_.Invalidations, invalidations + 1);
  EXPECT_TRUE(view_.ForwardSearch(dir_.File("doc.tex"), 500));
  EXPECT_EQ(view_.CurrentPage, 1);
  // Before the first special of its file; a name with a space.
  EXPECT_TRUE(view_.ForwardSearch(dir_.File("sub dir/PART TWO.tex"), 1));
  EXPECT_EQ(view_.CurrentPage, 0);
  EXPECT_FALSE(view_.ForwardSearch(dir_.File("other.tex"), 5));
  EXPECT_NE(ui_.Captions.back().find("other.tex"), std::string::npos);
}

TEST_F(SourceSearchTest, ADocumentWithoutSpecialsHasNoMarksAndSaysHowToGetThem) {
  Open(false);
  EXPECT_TRUE(doc_.Dvi.SourceMarks.empty());
  EXPECT_EQ(doc_.Dvi.SourceMarks.capacity(), 0u);
  view_.InverseSearch(100, 100);
  EXPECT_TRUE(window_.SourceLines.empty());
  EXPECT_NE(ui_.Captions.back().find("-src-specials"), std::string::npos);
}

}  // namespace
}  // namespace mox::test
