// The page view with a window of the test's own: loading and closing
// documents, paging over the page filter, zooming and fitting, the scroller,
// painting, and the reload when the file changes on disk.
#include "previewer/shell/page_view.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "previewer/dvi/page_buffer.h"
#include "previewer/fonts/carry_over.h"
#include "previewer/render/memory_device.h"
#include "previewer/resources/resource_ids.h"
#include "previewer/shell/view_layout.h"
#include "previewer/render/preview_document.h"
#include "tests/support/counting_files.h"
#include "previewer/base/nearest_int.h"
#include "tests/shell/view_fixture.h"
#include "tests/support/dvi_writer.h"
#include "tests/shell/fake_window.h"

namespace mox::test {
namespace {

std::string Fixtures(const std::string& path) { return std::string(MOX_FIXTURES_DIR) + "/" + path; }

class PageViewTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    view_.Zoom() = 1.0;
    doc_.Settings.InitialZoom = 1.0;
    doc_.Settings.PkFontPath = Fixtures("pk/dpi$d");
  }

  std::string Write(const std::string& bytes, const std::string& name = "doc.dvi") {
    const std::string path = dir_.File(name);
    WriteFile(path, bytes);
    return path;
  }

  // The first paint loads the document named at start.
  void FirstPaint() {
    MemoryDevice device(10, 10);
    view_.PaintView(device, {0, 0, 10, 10});
  }


  void MakeOlder(const std::string& path) {
    // The stamp counts in two-second steps: move the old file well back.
    const auto old_time = std::filesystem::last_write_time(path) - std::chrono::seconds(10);
    std::filesystem::last_write_time(path, old_time);
  }

};

TEST_F(PageViewTest, FirstPaintLoadsTheNamedDocumentOnItsFirstPage) {
  view_.DviFileName = Write(Pages({3, 4, 5}));
  FirstPaint();
  EXPECT_TRUE(view_.IsDocumentOpen());
  EXPECT_EQ(view_.CurrentPage, 0);
  EXPECT_EQ(view_.PaintEnabled, 1);
  EXPECT_EQ(view_.PageReady, 1);
  EXPECT_TRUE(window_.White);
  ASSERT_FALSE(ui_.Captions.empty());
  EXPECT_EQ(ui_.Captions.back(), "doc.dvi - Page 3");
  EXPECT_EQ(Errors(), std::vector<std::string>{});
  // The wait cursor was shown and taken back.
  ASSERT_FALSE(window_.BusyCalls.empty());
  EXPECT_TRUE(window_.BusyCalls.front());
  EXPECT_FALSE(window_.BusyCalls.back());
}

TEST_F(PageViewTest, FirstPaintWithoutDocumentLeavesTheProgramTitle) {
  FirstPaint();
  EXPECT_FALSE(view_.IsDocumentOpen());
  EXPECT_EQ(view_.CurrentPage, -1);
  EXPECT_FALSE(window_.White);
}

TEST_F(PageViewTest, BrokenDocumentLeavesNoDocumentAndTheProgramTitle) {
  view_.DviFileName = Write("not a DVI file at all");
  FirstPaint();
  EXPECT_FALSE(view_.IsDocumentOpen());
  EXPECT_TRUE(view_.DviFileName.empty());
  EXPECT_EQ(view_.CurrentPage, -1);
  EXPECT_EQ(view_.PageReady, 1);
  EXPECT_FALSE(window_.White);
  ASSERT_EQ(ui_.Boxes.size(), 1u);
  EXPECT_EQ(ui_.Captions.back(), "MOX DVI Previewer for Windows, v1.3pl2");
  EXPECT_EQ(window_.BusyCalls.back(), false);
}

TEST_F(PageViewTest, FilterThatSelectsNothingSaysInvalidPageNo) {
  doc_.Settings.PageSelectionText = "100:200";
  view_.DviFileName = Write(Pages({1, 2}));
  FirstPaint();
  EXPECT_FALSE(view_.IsDocumentOpen());
  ASSERT_EQ(ui_.Boxes.size(), 1u);
  EXPECT_EQ(ui_.Boxes[0].Text, "Invalid page no.");
  EXPECT_EQ(ui_.Boxes[0].Caption, "");
  EXPECT_EQ(ui_.Captions.back(), "MOX DVI Previewer for Windows, v1.3pl2");
}

TEST_F(PageViewTest, NextAndPreviousJumpOverFilteredPagesWithoutWrapping) {
  doc_.Settings.ParityFilter = 1;  // odd \count0 only
  view_.DviFileName = Write(Pages({1, 2, 3, 4, 5}));
  FirstPaint();
  ASSERT_EQ(view_.CurrentPage, 0);
  EXPECT_TRUE(view_.ViewCommand(CM_PREVPAGE));
  EXPECT_EQ(view_.CurrentPage, 0);
  view_.ViewCommand(CM_NEXTPAGE);
  EXPECT_EQ(view_.CurrentPage, 2);
  view_.ViewCommand(CM_NEXTPAGE);
  EXPECT_EQ(view_.CurrentPage, 4);
  EXPECT_EQ(ui_.Captions.back(), "doc.dvi - Page 5");
  view_.ViewCommand(CM_NEXTPAGE);
  EXPECT_EQ(view_.CurrentPage, 4);
  view_.ViewCommand(CM_PREVPAGE);
  EXPECT_EQ(view_.CurrentPage, 2);
}

TEST_F(PageViewTest, GotoPageRefusesWhatCannotBeShownAndSkipsTheCurrentPage) {
  doc_.Settings.ContinuousPages = false;
  doc_.Settings.PageSelectionText = "2:3";
  view_.DviFileName = Write(Pages({1, 2, 3}));
  FirstPaint();
  ASSERT_EQ(view_.CurrentPage, 1);
  window_.Scroller.SetRange(10, 10);
  window_.Scroller.ScrollTo(4, 4);
  EXPECT_EQ(view_.GotoPage(0), 0);   // filtered out
  EXPECT_EQ(view_.GotoPage(-1), 0);
  EXPECT_EQ(view_.GotoPage(3), 0);   // no such page
  EXPECT_EQ(view_.CurrentPage, 1);
  // The page shown already: no rescan and no scrolling.
  const int invalidations = window_.Invalidations;
  EXPECT_EQ(view_.GotoPage(1), 0);
  EXPECT_EQ(window_.Scroller.XPos, 4);
  EXPECT_EQ(window_.Invalidations, invalidations);
  // Another page scrolls to the top-left corner.
  EXPECT_EQ(view_.GotoPage(2), 0);
  EXPECT_EQ(view_.CurrentPage, 2);
  EXPECT_EQ(window_.Scroller.XPos, 0);
  EXPECT_EQ(window_.Scroller.YPos, 0);
}

TEST_F(PageViewTest, ZoomCommandsClampAndChangeNothingWhenUnchanged) {
  view_.DviFileName = Write(Pages({1}));
  FirstPaint();
  view_.ViewCommand(CM_ZOOMIN);
  EXPECT_EQ(view_.Zoom(), 1.0);
  view_.ViewCommand(CM_ZOOM5);
  EXPECT_EQ(view_.Zoom(), 0.2);
  for (int i = 0; i < 30; ++i) view_.ViewCommand(CM_ZOOMOUT);
  EXPECT_EQ(view_.Zoom(), 0.05);
  const int invalidations = window_.Invalidations;
  view_.ViewCommand(CM_ZOOMOUT);
  EXPECT_EQ(window_.Invalidations, invalidations);
}

TEST_F(PageViewTest, FitUsesTheClientAreaAndTheMargins) {
  view_.DviFileName = Write(Pages({1}));
  FirstPaint();
  window_.Width = 1200;
  window_.Height = 500;
  view_.ViewCommand(CM_ZOOMFIT);
  const PageGeometry page = DocumentGeometry(doc_);
  EXPECT_DOUBLE_EQ(view_.Zoom(), FitZoom(page, 1200, 500));
  EXPECT_EQ(view_.ClientWidth, 1200u);
  // Fitted to the width: nothing to scroll sideways.
  EXPECT_EQ(window_.Scroller.XRange, 0);
}

// From a small zoom, one press gives the final fit: the vertical bar that
// the fit brings narrows the client area, and the page is fitted to that.
TEST_F(PageViewTest, FitTakesTheScrollBarsItBringsIntoAccount) {
  window_.BarSize = 16;
  view_.DviFileName = Write(Pages({1}));
  FirstPaint();
  view_.SetZoom(0.05);
  ASSERT_FALSE(window_.VerticalBar);
  view_.ViewCommand(CM_ZOOMFIT);
  EXPECT_TRUE(window_.VerticalBar);
  EXPECT_FALSE(window_.HorizontalBar);
  EXPECT_DOUBLE_EQ(view_.Zoom(), FitZoom(DocumentGeometry(doc_), 800 - 16, 600));
}

TEST_F(PageViewTest, InitialZoomZeroFitsTheFirstPage) {
  doc_.Settings.InitialZoom = 0.0;
  view_.DviFileName = Write(Pages({1}));
  FirstPaint();
  EXPECT_DOUBLE_EQ(view_.Zoom(), FitZoom(DocumentGeometry(doc_), 800, 600));
}

TEST_F(PageViewTest, ScrollerFollowsTheZoomAndTheWindowSize) {
  view_.DviFileName = Write(Pages({1}));
  FirstPaint();
  const ScrollLayout expected = LayOutPage(DocumentGeometry(doc_), 1.0, 800, 600);
  EXPECT_EQ(view_.OffsetX, expected.OffsetX);
  EXPECT_EQ(view_.UnitX, expected.UnitX);
  EXPECT_EQ(window_.Scroller.XRange, expected.RangeX);
  EXPECT_EQ(window_.Scroller.YUnit, expected.UnitY);
  window_.Width = 2000;
  view_.UpdateScroller();
  EXPECT_EQ(window_.Scroller.XRange, LayOutPage(DocumentGeometry(doc_), 1.0, 2000, 600).RangeX);
}

TEST_F(PageViewTest, ViewportMovesHalfAWindowAndStopAtTheEnds) {
  view_.DviFileName = Write(Pages({1}));
  FirstPaint();
  view_.ViewCommand(CM_VIEWDOWN);
  EXPECT_EQ(window_.Scroller.YPos, (600 / 2) / view_.UnitY);
  view_.ViewCommand(CM_VIEWBOTTOMRIGHT);
  EXPECT_EQ(window_.Scroller.XPos, window_.Scroller.XRange);
  EXPECT_EQ(window_.Scroller.YPos, window_.Scroller.YRange);
  view_.ViewCommand(CM_VIEWTOPLEFT);
  EXPECT_EQ(window_.Scroller.XPos, 0);
  EXPECT_EQ(window_.Scroller.YPos, 0);
  view_.ViewCommand(CM_VIEWLEFT);
  EXPECT_EQ(window_.Scroller.XPos, 0);
}

TEST_F(PageViewTest, BottomRightOnAPageSmallerThanTheWindowStaysAtTheOrigin) {
  view_.DviFileName = Write(Pages({1}));
  FirstPaint();
  view_.SetZoom(0.05);
  view_.ViewCommand(CM_VIEWBOTTOMRIGHT);
  EXPECT_EQ(window_.Scroller.XPos, 0);
  EXPECT_EQ(window_.Scroller.YPos, 0);
}

TEST_F(PageViewTest, ChangeZoomRefusesLargeValuesAndFitsForZero) {
  view_.DviFileName = Write(Pages({1}));
  FirstPaint();
  view_.ApplyZoomText("0.25");
  EXPECT_EQ(view_.Zoom(), 0.25);
  view_.ApplyZoomText("1.5");
  EXPECT_EQ(view_.Zoom(), 0.25);
  ASSERT_EQ(ui_.Boxes.size(), 1u);
  EXPECT_EQ(ui_.Boxes[0].Text, "Invalid zoom factor 1.500000");
  EXPECT_EQ(ui_.Boxes[0].Caption, "Error message");
  view_.ApplyZoomText("0");
  EXPECT_DOUBLE_EQ(view_.Zoom(), FitZoom(DocumentGeometry(doc_), 800, 600));
  view_.ApplyZoomText("0.001");
  EXPECT_EQ(view_.Zoom(), 0.05);
}

TEST_F(PageViewTest, DocumentCommandsWithoutDocumentDoNothing) {
  FirstPaint();
  EXPECT_TRUE(view_.ViewCommand(CM_NEXTPAGE));
  EXPECT_TRUE(view_.ViewCommand(CM_ZOOM5));
  EXPECT_TRUE(view_.ViewCommand(CM_VIEWDOWN));
  EXPECT_TRUE(view_.ViewCommand(CM_CLOSE));
  EXPECT_EQ(view_.Zoom(), 1.0);
  EXPECT_EQ(view_.CurrentPage, -1);
  EXPECT_FALSE(view_.ViewCommand(CM_ABOUT));
}

TEST_F(PageViewTest, CloseForgetsTheDocument) {
  view_.DviFileName = Write(Pages({1, 2}));
  FirstPaint();
  view_.ViewCommand(CM_CLOSE);
  EXPECT_FALSE(view_.IsDocumentOpen());
  EXPECT_TRUE(view_.DviFileName.empty());
  EXPECT_EQ(view_.CurrentPage, -1);
  EXPECT_FALSE(window_.White);
  EXPECT_EQ(window_.Scroller.XRange, 0);
  EXPECT_EQ(view_.OffsetX, 0);
  EXPECT_EQ(ui_.Captions.back(), "MOX DVI Previewer for Windows, v1.3pl2");
  EXPECT_FALSE(doc_.Dvi.Loaded);
}

TEST_F(PageViewTest, OpenResetsThePageFilter) {
  doc_.Settings.PageSelectionText = "2";
  doc_.Settings.ParityFilter = 2;
  doc_.Settings.SequenceMode = 1;
  view_.DviFileName = Write(Pages({1, 2}));
  FirstPaint();
  ASSERT_EQ(view_.CurrentPage, 1);
  view_.OpenChosenFile(Write(Pages({7, 8, 9}), "other.dvi"));
  EXPECT_EQ(view_.CurrentPage, 0);
  EXPECT_EQ(doc_.Settings.PageSelectionText, "");
  EXPECT_EQ(doc_.Settings.ParityFilter, 0);
  EXPECT_EQ(doc_.Settings.SequenceMode, 0);
  EXPECT_EQ(ui_.Captions.back(), "other.dvi - Page 7");
}

TEST_F(PageViewTest, PaintDrawsThePageAtTheMarginsOfTheZoom) {
  view_.DviFileName = Write(Pages({1}));
  FirstPaint();
  const int width = view_.OffsetX + 800;
  const int height = view_.OffsetY + 800;
  MemoryDevice device(width, height);
  view_.PaintView(device, {0, 0, width, height});
  // The rule's bottom-left corner sits 72 pt (598 pixels at 600 dpi) right
  // of and below the page origin, which lies at the margins.
  const int left = view_.OffsetX + 598;
  const int bottom = view_.OffsetY + 598;
  EXPECT_EQ(device.Pixel(left + 10, bottom - 10).Red, 0);
  EXPECT_EQ(device.Pixel(left - 10, bottom - 10).Red, 255);
  EXPECT_EQ(device.Pixel(left + 10, bottom + 10).Red, 255);
}

TEST_F(PageViewTest, NothingIsPaintedWhilePrintingOrBeforeAPageIsReady) {
  view_.DviFileName = Write(Pages({1}));
  FirstPaint();
  view_.PrintMode = 2;
  MemoryDevice device(1000, 1000);
  view_.PaintView(device, {0, 0, 1000, 1000});
  EXPECT_EQ(device.Pixel(view_.OffsetX + 605, view_.OffsetY + 595).Red, 255);
}

TEST_F(PageViewTest, ReloadOfAnUnchangedFileDoesNothing) {
  view_.DviFileName = Write(Pages({1, 2}));
  FirstPaint();
  view_.GotoPage(1);
  CountingFiles files;
  view_.FocusGained();
  EXPECT_EQ(view_.CurrentPage, 1);
  EXPECT_EQ(view_.IgnoreNextClick, 1);
  EXPECT_EQ(window_.Palettes, 1);
  EXPECT_TRUE(files.Opened.empty());
}

TEST_F(PageViewTest, ReloadShowsTheNewContentOnTheSamePageAndScrollPosition) {
  const std::string path = Write(Pages({1, 2, 3}));
  MakeOlder(path);
  view_.DviFileName = path;
  FirstPaint();
  view_.GotoPage(1);
  window_.Scroller.ScrollTo(3, 5);
  const int old_width = CurrentRuleWidth(doc_);
  Write(Pages({1, 2, 3}, 40));
  view_.FocusGained();
  EXPECT_TRUE(view_.IsDocumentOpen());
  EXPECT_EQ(view_.CurrentPage, 1);
  EXPECT_NE(CurrentRuleWidth(doc_), old_width);
  EXPECT_EQ(window_.Scroller.XPos, 3);
  EXPECT_EQ(window_.Scroller.YPos, 5);
  EXPECT_TRUE(ui_.Boxes.empty());
  // Focus again with no change: the stamp recorded after the reload holds.
  const int invalidations = window_.Invalidations;
  view_.FocusGained();
  EXPECT_EQ(window_.Invalidations, invalidations);
}

TEST_F(PageViewTest, ReloadLowersTheScrollPositionToTheNewRange) {
  const std::string path = Write(Pages({1}));
  MakeOlder(path);
  view_.DviFileName = path;
  FirstPaint();
  window_.Scroller.ScrollTo(1000, 1000);
  const long old_y = window_.Scroller.YPos;
  ASSERT_GT(old_y, 0);
  // A much shorter page: the postamble's height shrinks.
  DviWriter dvi;
  dvi.Preamble();
  dvi.BeginPage(1).SetRule(kPoint, kPoint).EndPage();
  dvi.Finish({.MaxHeightDepth = 30 * kPoint, .MaxWidth = 30 * kPoint});
  Write(dvi.Data());
  view_.FocusGained();
  ASSERT_TRUE(view_.IsDocumentOpen());
  EXPECT_EQ(window_.Scroller.YPos, window_.Scroller.YRange);
  EXPECT_LT(window_.Scroller.YPos, old_y);
}

TEST_F(PageViewTest, ReloadWithFewerPagesShowsTheFirstSelectablePage) {
  const std::string path = Write(Pages({1, 2, 3}));
  MakeOlder(path);
  view_.DviFileName = path;
  FirstPaint();
  view_.GotoPage(2);
  Write(Pages({5, 6}));
  view_.FocusGained();
  EXPECT_EQ(view_.CurrentPage, 0);
  EXPECT_EQ(ui_.Captions.back(), "doc.dvi - Page 5");
}

// TeX rewriting the file in steps without holding it: the page stays shown
// while the file is incomplete or gone, a page change waits too, and the
// new file is shown on the same page, zoom and scroll position once whole.
TEST_F(PageViewTest, IncompleteFileKeepsThePageUntilTheFileIsWhole) {
  const std::string path = Write(Pages({1, 2, 3}));
  MakeOlder(path);
  view_.DviFileName = path;
  FirstPaint();
  view_.GotoPage(1);
  view_.SetZoom(0.5);
  window_.Scroller.ScrollTo(3, 5);
  const int old_width = CurrentRuleWidth(doc_);
  const std::string rewritten = Pages({1, 2, 3}, 40);
  const auto expect_old_page = [&](const char* status) {
    EXPECT_TRUE(view_.IsDocumentOpen());
    EXPECT_TRUE(view_.WaitingForCompleteFile());
    EXPECT_EQ(view_.CurrentPage, 1);
    EXPECT_EQ(CurrentRuleWidth(doc_), old_width);
    EXPECT_NE(ui_.Captions.back().find(status), std::string::npos) << ui_.Captions.back();
  };
  Write(rewritten.substr(0, rewritten.size() / 2));
  view_.FocusGained();
  expect_old_page("being written");
  view_.GotoPage(2);
  expect_old_page("being written");
  std::filesystem::remove(path);
  view_.CheckDocumentFile();
  expect_old_page("not there");
  EXPECT_TRUE(ui_.Boxes.empty());

  Write(rewritten);
  view_.CheckDocumentFile();
  EXPECT_FALSE(view_.WaitingForCompleteFile());
  EXPECT_EQ(view_.CurrentPage, 1);
  EXPECT_NE(CurrentRuleWidth(doc_), old_width);
  EXPECT_EQ(view_.Zoom(), 0.5);
  EXPECT_EQ(window_.Scroller.XPos, 3);
  EXPECT_EQ(window_.Scroller.YPos, 5);
  EXPECT_EQ(ui_.Captions.back(), "doc.dvi - Page 2");
}

TEST_F(PageViewTest, HelpOpensTheTutorialBesideTheProgramOrSaysWhereItBelongs) {
  view_.DviFileName = Write(Pages({1, 2}));
  FirstPaint();
  doc_.Settings.ProgramDirectory = dir_.File("program") + "/";
  view_.ShowHelp();
  ASSERT_EQ(ui_.Boxes.size(), 1u);
  EXPECT_EQ(ui_.Boxes[0].Caption, "Help");
  EXPECT_NE(ui_.Boxes[0].Text.find(dir_.File("program") + "/tutor.dvi"), std::string::npos);
  EXPECT_EQ(ui_.Captions.back(), "doc.dvi - Page 1");

  std::filesystem::create_directories(dir_.File("program"));
  Write(Pages({7}), "program/tutor.dvi");
  view_.ShowHelp();
  EXPECT_EQ(ui_.Captions.back(), "tutor.dvi - Page 7");
}

TEST_F(PageViewTest, WheelPartsAddUpToNotchesAndCtrlZooms) {
  view_.DviFileName = Write(Pages({1}));
  FirstPaint();
  view_.SetZoom(1.0);
  const long unit = view_.UnitY;
  view_.WheelTurned(-60, false, false);  // half a notch: nothing yet
  EXPECT_EQ(window_.Scroller.YPos, 0);
  view_.WheelTurned(-60, false, false);
  const long one_notch = window_.Scroller.YPos;
  EXPECT_EQ(one_notch, std::max(48 / unit, 1L));
  view_.WheelTurned(120, false, false);
  EXPECT_EQ(window_.Scroller.YPos, 0);
  view_.WheelTurned(-120, false, true);
  EXPECT_LT(view_.Zoom(), 1.0);
  view_.WheelTurned(120, false, true);
  EXPECT_EQ(view_.Zoom(), 1.0);
}

TEST_F(PageViewTest, OpenOfAFileThatFailsKeepsThePreviousDocumentAndPlace) {
  doc_.Settings.ParityFilter = 1;
  view_.DviFileName = Write(Pages({1, 2, 3}));
  FirstPaint();
  view_.GotoPage(2);
  window_.Scroller.ScrollTo(4, 6);
  // Refused from its end, before anything is given up.
  view_.OpenChosenFile(Write("not a DVI file", "broken.dvi"));
  ASSERT_EQ(ui_.Boxes.size(), 1u);
  EXPECT_EQ(ui_.Boxes[0].Text, "Invalid DVI file");
  EXPECT_EQ(view_.CurrentPage, 2);
  // Whole at its end but broken inside: the previous document comes back.
  DviWriter bad;
  bad.Preamble().BeginPage(1).Byte(250).EndPage().Finish();
  view_.OpenChosenFile(Write(bad.Data(), "bad.dvi"));
  EXPECT_EQ(ui_.Boxes.size(), 2u);
  EXPECT_TRUE(view_.IsDocumentOpen());
  EXPECT_EQ(view_.CurrentPage, 2);
  EXPECT_EQ(doc_.Settings.ParityFilter, 1);
  EXPECT_EQ(window_.Scroller.XPos, 4);
  EXPECT_EQ(window_.Scroller.YPos, 6);
  EXPECT_EQ(ui_.Captions.back(), "doc.dvi - Page 3");
}

TEST_F(PageViewTest, NoReloadWhilePrinting) {
  const std::string path = Write(Pages({1, 2}));
  MakeOlder(path);
  view_.DviFileName = path;
  FirstPaint();
  Write(Pages({1}, 30));
  view_.PrintMode = 1;
  view_.FocusGained();
  EXPECT_EQ(window_.Palettes, 0);
  EXPECT_EQ(doc_.Dvi.Pages.size(), 2u);
}

TEST_F(PageViewTest, ReloadOfARealDocumentReadsNoFontFile) {
  const std::string path = dir_.File("plain.dvi");
  std::filesystem::copy_file(Fixtures("dvi/plain.dvi"), path);
  MakeOlder(path);
  view_.DviFileName = path;
  FirstPaint();
  ASSERT_TRUE(view_.IsDocumentOpen());
  ASSERT_TRUE(ui_.Boxes.empty());
  // TeX writes the same document again.
  std::filesystem::remove(path);
  std::filesystem::copy_file(Fixtures("dvi/plain.dvi"), path);
  CountingFiles files;
  view_.FocusGained();
  EXPECT_TRUE(view_.IsDocumentOpen());
  for (const std::string& opened : files.Opened) {
    EXPECT_EQ(opened.find(".PK"), std::string::npos) << opened;
  }
  EXPECT_TRUE(ui_.Boxes.empty());
}

#ifndef _WIN32
// Stands for TeX still writing the file: holds an exclusive lock on it and
// lets go when the user has pressed OK twice.
class WriterLetsGo final : public platform::UserInterface {
 public:
  explicit WriterLetsGo(const std::string& path)
      : fd_(::open(path.c_str(), O_RDONLY)), previous_(platform::SetUi(this)) {
    ::flock(fd_, LOCK_EX);
  }
  ~WriterLetsGo() override {
    platform::SetUi(previous_);
    ::close(fd_);
  }
  int ShowBox(std::string_view text, std::string_view caption, unsigned) override {
    Texts.emplace_back(text);
    Captions.emplace_back(caption);
    if (Texts.size() == 2) ::flock(fd_, LOCK_UN);
    return platform::kAnswerOk;
  }
  void SetCaption(std::string_view) override {}

  std::vector<std::string> Texts;
  std::vector<std::string> Captions;

 private:
  int fd_;
  platform::UserInterface* previous_;
};

TEST_F(PageViewTest, ReloadWaitsWhileAnotherProgramHoldsTheFile) {
  const std::string path = Write(Pages({1, 2}));
  MakeOlder(path);
  view_.DviFileName = path;
  FirstPaint();
  Write(Pages({1, 2}, 30));
  WriterLetsGo writer(path);
  view_.FocusGained();
  ASSERT_EQ(writer.Texts.size(), 2u);
  EXPECT_EQ(writer.Texts[0],
            "The DVI file is in use by another application.\n"
            "Please wait for the application which uses the DVI file\n"
            "to terminate, and then click OK to continue");
  EXPECT_EQ(writer.Captions[0], "Information");
  // Once free, the new file is read.
  EXPECT_TRUE(view_.IsDocumentOpen());
  EXPECT_EQ(CurrentRuleWidth(doc_), NearestInt(30 * kPoint * doc_.Dvi.ConversionX));
}
#endif

TEST_F(PageViewTest, CloseViewAnswersYesAndClosesTheDocument) {
  view_.DviFileName = Write(Pages({1}));
  FirstPaint();
  EXPECT_TRUE(view_.CloseView());
  EXPECT_FALSE(view_.IsDocumentOpen());
}

}  // namespace
}  // namespace mox::test
