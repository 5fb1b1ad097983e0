// Printing without a printer: the pages picked and kept, odd and even pages
// read from the list, the page box on the paper and the preview page, and
// the view put aside for a run and given back after it.
#include <gtest/gtest.h>

#include <filesystem>

#include "previewer/render/memory_device.h"
#include "previewer/shell/print_choice.h"
#include "previewer/render/preview_document.h"
#include "tests/shell/fake_window.h"
#include "previewer/base/nearest_int.h"
#include "tests/shell/view_fixture.h"

namespace mox::test {
namespace {

class ViewPrintingTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    view_.Zoom() = 1.0;
    doc_.Settings.InitialZoom = 0.5;
    doc_.Settings.PkFontPath = std::string(MOX_FIXTURES_DIR) + "/pk/dpi$d";
    path_ = dir_.File("doc.dvi");
    WriteFile(path_, Pages({1, 2, -3, 4, 5}));
    view_.DviFileName = path_;
    ASSERT_EQ(view_.LoadDocument(), 0);
  }

};

TEST_F(ViewPrintingTest, PagesArePickedKeptAndReadOddOrEven) {
  PrintList list = PrintListData(doc_, view_.StoredPrintPages);
  EXPECT_EQ(list.Selected, (std::vector<int>{0, 1, 2, 3, 4}));  // every line at first
  EXPECT_EQ(NumberInLine(list.Lines[2]), 3);                   // " Page -3" is odd
  list.Selected = KeepParity(list.Lines, list.Selected, true);
  EXPECT_EQ(list.Selected, (std::vector<int>{0, 2, 4}));
  EXPECT_TRUE(KeepParity(list.Lines, list.Selected, false).empty());
  view_.StoredPrintPages = PrintSelectionPages(doc_, {0, 2, 4, 9});  // a position past the list is left out
  EXPECT_EQ(*view_.StoredPrintPages, (std::vector<std::int32_t>{0, 2, 4}));
  EXPECT_EQ(PrintListData(doc_, view_.StoredPrintPages).Selected, (std::vector<int>{0, 2, 4}));
  // Loading the document again forgets the pages.
  ASSERT_EQ(view_.LoadDocument(), 0);
  EXPECT_FALSE(view_.StoredPrintPages.has_value());
  EXPECT_EQ(PrintTitle("C:\\TEX\\paper.dvi"), "paper.dvi");
}

TEST_F(ViewPrintingTest, ThePageBoxIsCentredOnTheCutPaperAndThePreviewKeepsItsShape) {
  doc_.Settings.ResolutionX = doc_.Settings.ResolutionY = 300.0;
  EXPECT_DOUBLE_EQ(PrinterScale(doc_.Settings, 600, 600), 2.0);
  EXPECT_DOUBLE_EQ(PrinterScale(doc_.Settings, 150, 300), 0.5);
  const PrintBox box = PageBoxOnPaper(doc_.Dvi, 1.0, 5000, 6000);
  EXPECT_EQ(box.Width, NearestInt(doc_.Dvi.MaxWidth * doc_.Dvi.ConversionX));
  EXPECT_EQ(box.X0, (5000 - box.Width + 1) / 2);
  EXPECT_EQ(PageBoxOnPaper(doc_.Dvi, 1.0, box.Width - 10, 4000).X0, 0);  // narrower paper: cut, not shifted
  const PreviewRect tall = PreviewPageRect(400, 330, 2000, 3000);
  EXPECT_EQ(tall.Top, 15);
  EXPECT_EQ(tall.Bottom, 315);
  EXPECT_EQ(tall.Right - tall.Left, 300 * 66 / 100);
  const PreviewRect wide = PreviewPageRect(400, 330, 3000, 2000);
  EXPECT_EQ(wide.Right, 385);
  EXPECT_EQ(wide.Bottom - wide.Top, 370 * 66 / 100);
}

TEST_F(ViewPrintingTest, ARunPrintsTheStoredPagesAndGivesTheViewBack) {
  view_.GotoPage(1);
  const double zoom = view_.Zoom();
  view_.StoredPrintPages = PrintSelectionPages(doc_, {2, 0});
  view_.BeginPrintRun(1);
  EXPECT_EQ(view_.PrintMode, 1);
  EXPECT_TRUE(window_.FrameHidden);
  ASSERT_TRUE(view_.ScanPrintedPage(1, false));
  EXPECT_EQ(CurrentRuleWidth(doc_), NearestInt(12 * kPoint * doc_.Dvi.ConversionX));  // page 3
  MemoryDevice paper(400, 400, -1);
  const PrintBox box = view_.DrawPrintedBand(paper, {0, 0, 400, 400}, {2.0, 1.0, 400, 400});
  EXPECT_EQ(view_.Zoom(), 2.0);
  EXPECT_EQ(view_.OffsetX, box.X0);
  ASSERT_TRUE(view_.ScanPrintedPage(2, false));
  EXPECT_FALSE(view_.ScanPrintedPage(3, false));
  EXPECT_FALSE(view_.ScanPrintedPage(2, true));  // a preview has one page
  view_.EndPrintRun();
  EXPECT_EQ(view_.PrintMode, 0);
  EXPECT_FALSE(window_.FrameHidden);
  EXPECT_EQ(view_.CurrentPage, 1);
  EXPECT_EQ(view_.Zoom(), zoom);
  EXPECT_EQ(CurrentRuleWidth(doc_), NearestInt(11 * kPoint * doc_.Dvi.ConversionX));

  // A page that cannot be scanned any more closes the document for good.
  std::filesystem::resize_file(path_, 100);
  view_.StoredPrintPages = PrintSelectionPages(doc_, {4});
  view_.BeginPrintRun(1);
  EXPECT_FALSE(view_.ScanPrintedPage(1, false));
  view_.EndPrintRun();
  EXPECT_FALSE(view_.IsDocumentOpen());
  EXPECT_EQ(view_.CurrentPage, -1);
  EXPECT_EQ(view_.PrintMode, 0);
  EXPECT_EQ(OnlyError(), "Invalid DVI file");
}

}  // namespace
}  // namespace mox::test
