// The last places of documents: the file's reader refuses what is not its
// own without losing the rest, and the view reopens a document where it was
// left while a reload, another document and a missing page keep their rules.
#include "previewer/shell/last_places.h"

#include <gtest/gtest.h>

#include "tests/shell/fake_window.h"
#include "tests/shell/view_fixture.h"

namespace mox::test {
namespace {

TEST(LastPlaces, TheReaderKeepsGoodLinesAndTheNewestOfADocument) {
  const std::string text =
      "mox-places 1\r\n"
      "3\t0.5\t10\t200\tC:\\TeX\\Paper.dvi\n"
      "4\t2\t0\t0\tC:\\TeX\\big-zoom.dvi\n"      // zoom above 1
      "-1\t0.5\t0\t0\tC:\\TeX\\minus.dvi\n"       // no page
      "1\t0.25\t0\t0\n"                           // no path
      "7\t0.2\t0\t0\tc:/tex/paper.DVI\n"          // the same file, older
      "2\t0.1\t5\t6\tD:\\书\\第一章.dvi\n";
  const std::vector<LastPlace> places = ParseLastPlaces(text);
  ASSERT_EQ(places.size(), 2u);
  EXPECT_EQ(places[0].Page, 3);
  EXPECT_EQ(places[0].Y, 200);
  EXPECT_EQ(FindLastPlace(places, "c:\\tex\\PAPER.dvi")->Page, 3);
  EXPECT_EQ(FindLastPlace(places, "D:\\书\\第一章.dvi")->Zoom, 0.1);
  EXPECT_FALSE(FindLastPlace(places, "C:\\TeX\\minus.dvi"));
  // What it writes it reads back; another header gives nothing.
  EXPECT_EQ(ParseLastPlaces(FormatLastPlaces(places)).size(), 2u);
  EXPECT_EQ(FormatLastPlaces(ParseLastPlaces(FormatLastPlaces(places))), FormatLastPlaces(places));
  EXPECT_TRUE(ParseLastPlaces("mox-places 2\n3\t0.5\t0\t0\tx.dvi\n").empty());

  std::vector<LastPlace> list;
  for (int i = 0; i < static_cast<int>(kMostPlaces) + 5; ++i) {
    RememberPlace(list, {i, 1.0, 0, 0, "doc" + std::to_string(i) + ".dvi"});
  }
  RememberPlace(list, {9, 0.5, 0, 0, "DOC50.dvi"});
  ASSERT_EQ(list.size(), kMostPlaces);
  EXPECT_EQ(list[0].Page, 9);
  EXPECT_EQ(std::count_if(list.begin(), list.end(),
                          [](const LastPlace& p) { return p.Path == "doc50.dvi"; }),
            0);
}

class LastPlacesViewTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    doc_.Settings.ProgramPath = dir_.File("moxwin32.exe");
    doc_.Settings.PkFontPath = dir_.File("dpi$d");
    doc_.Settings.InitialZoom = 1.0;
    view_.Zoom() = 1.0;
    document_ = dir_.File("doc.dvi");
    WriteFile(document_, Pages({1, 2, 3, 4}));
  }
  void Open(const std::string& path) {
    view_.DviFileName = path;
    ASSERT_EQ(view_.LoadDocument(), 0) << ::testing::PrintToString(Errors());
  }
  std::string document_;
};

TEST_F(LastPlacesViewTest, ADocumentOpenedAgainStartsWhereItWasLeft) {
  Open(document_);
  view_.GotoPage(2);
  view_.SetZoom(0.5);
  window_.Scroller.ScrollBy(0, 2);
  const long y = window_.Scroller.YPos * view_.UnitY;
  view_.UnloadDocument();

  Open(document_);
  EXPECT_EQ(view_.CurrentPage, 2);
  EXPECT_EQ(view_.Zoom(), 0.5);
  EXPECT_EQ(window_.Scroller.YPos * view_.UnitY, y);
  // Another document starts on its first page, and replacing it keeps the
  // place of the one given up.
  const std::string other = dir_.File("other.dvi");
  WriteFile(other, Pages({5, 6}));
  view_.GotoPage(3);
  view_.OpenChosenFile(other);
  EXPECT_EQ(view_.CurrentPage, 0);
  view_.OpenChosenFile(document_);
  EXPECT_EQ(view_.CurrentPage, 3);

  // A document grown shorter starts on its first page.
  view_.UnloadDocument();
  WriteFile(document_, Pages({1, 2}));
  Open(document_);
  EXPECT_EQ(view_.CurrentPage, 0);
  EXPECT_TRUE(Errors().empty());
}

}  // namespace
}  // namespace mox::test
