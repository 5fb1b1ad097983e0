// What the page view's dialogs and the ruler do without their windows: the
// page list under page filters and the search for a typed page number, the
// Options choice checked, applied and saved, the ziti lines and the faces
// defined, and the measuring cross with its readout.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "previewer/fonts/face_table.h"
#include "previewer/resources/resource_ids.h"
#include "previewer/shell/face_choice.h"
#include "previewer/shell/options_choice.h"
#include "previewer/shell/page_choice.h"
#include "previewer/render/preview_document.h"
#include "tests/shell/fake_window.h"
#include "tests/shell/view_fixture.h"

namespace mox::test {
namespace {

class ViewDialogsTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    view_.Zoom() = 1.0;
    doc_.Settings.InitialZoom = 1.0;
    doc_.Settings.PkFontPath = std::string(MOX_FIXTURES_DIR) + "/pk/dpi$d";
  }
  void Open(const std::vector<std::int32_t>& counts) {
    const std::string path = dir_.File("doc.dvi");
    WriteFile(path, Pages(counts));
    view_.DviFileName = path;
    ASSERT_EQ(view_.LoadDocument(), 0);
  }

};

TEST_F(ViewDialogsTest, PageListAndTypedNumbersFollowTheFilter) {
  doc_.Settings.ParityFilter = 1;  // odd \count0 only
  Open({1, 2, 3, -1, 1, 5});
  EXPECT_EQ(PageListLines(doc_),
            (std::vector<std::string>{" Page 1", " Page 3", " Page -1", " Page 1", " Page 5"}));
  EXPECT_EQ(PageOfListPosition(doc_, 1), 2);  // the second line is the third page
  EXPECT_EQ(PageOfListPosition(doc_, 5), -1);
  EXPECT_EQ(ListPositionOfPage(doc_, 4), 3);
  EXPECT_EQ(ListPositionOfPage(doc_, 1), 0);  // not in the list: the first line
  view_.SetLanguage(Language::Chinese);
  EXPECT_EQ(PageListLines(doc_).front(), " 第1页");

  // Repeated numbers are visited in turn; a number nobody else has stays.
  EXPECT_EQ(NextPageNumbered(doc_, 1, 0), 4);
  EXPECT_EQ(NextPageNumbered(doc_, 1, 4), 0);
  EXPECT_EQ(NextPageNumbered(doc_, -1, 0), 3);
  EXPECT_EQ(NextPageNumbered(doc_, 3, 2), 2);
  EXPECT_EQ(NextPageNumbered(doc_, 2, 0), 0);  // page 2 does not pass the filter
  EXPECT_EQ(NextPageNumbered(doc_, 5, -1), 5);
  EXPECT_EQ(LeadingInteger("  -12abc"), -12);
  EXPECT_EQ(LeadingInteger("+7"), 7);
  EXPECT_EQ(LeadingInteger("page"), 0);
  EXPECT_EQ(LeadingInteger("99999999999"), INT32_MAX);
}

TEST_F(ViewDialogsTest, TypedPageNumbersTakeRomanNumeralsAndNameWhatIsNoNumber) {
  EXPECT_EQ(TypedPageNumbers(" 12abc"), std::vector<std::int32_t>{12});
  EXPECT_EQ(TypedPageNumbers(" xiv "), (std::vector<std::int32_t>{-14, 14}));
  EXPECT_EQ(TypedPageNumbers("MCMXCIX"), (std::vector<std::int32_t>{-1999, 1999}));
  for (const char* bad : {"", "iiii", "vv", "ic", "page", "-x"}) {
    EXPECT_TRUE(TypedPageNumbers(bad).empty()) << bad;
  }
  // Plain TeX's roman pages carry negative numbers; LaTeX's keep them positive.
  Open({-1, -2, 1, 2});
  view_.GotoPageNumberText("ii");
  EXPECT_EQ(view_.CurrentPage, 1);
  view_.GotoPageNumberText("ii");  // the only page numbered -2 is shown already
  EXPECT_EQ(view_.CurrentPage, 1);
  view_.GotoPageNumberText("iv");
  EXPECT_EQ(view_.CurrentPage, 1);
  EXPECT_EQ(ui_.Captions.back(), "No page is numbered iv");
  view_.GotoPageNumberText("two");
  EXPECT_EQ(OnlyError(), "\"two\" is not a page number");
  EXPECT_EQ(view_.CurrentPage, 1);
}

TEST_F(ViewDialogsTest, OptionsAreCheckedAppliedAndSaved) {
  doc_.Settings.ResolutionX = doc_.Settings.ResolutionY = 400.0;
  doc_.Settings.Gamma = 12345.6789;
  OptionsChoice choice = CurrentOptionsChoice(doc_.Settings);
  EXPECT_EQ(choice.ResolutionEntries,
            (std::vector<std::string>{"180", "300", "600", "400.00"}));
  EXPECT_EQ(choice.ResolutionSelection, 3);
  EXPECT_EQ(choice.GammaText, "12345.678");

  // Both wrong: the gamma's message is the one shown; nothing is applied.
  view_.SetLanguage(Language::Chinese);
  choice.ResolutionText = "0";
  EXPECT_EQ(OptionsChoiceError(choice, view_.Lang()), "Invalid resolution!");
  choice.GammaText = "x";
  EXPECT_EQ(OptionsChoiceError(choice, view_.Lang()), "非法辉度修正值");
  view_.ApplyOptions(choice);
  EXPECT_EQ(doc_.Settings.ResolutionX, 400.0);
  view_.SetLanguage(Language::English);

  doc_.Settings.ResolutionX = doc_.Settings.ResolutionY = 600.0;
  doc_.Settings.Gamma = 1.0;
  Open({1});
  const int width_at_600 = CurrentRuleWidth(doc_);
  choice = CurrentOptionsChoice(doc_.Settings);
  const std::string fonts = choice.PkFontPath;
  choice.PkFontPath = "elsewhere";  // a path alone reloads nothing
  view_.ApplyOptions(choice);
  EXPECT_EQ(window_.PaletteBuilds, 0);
  EXPECT_EQ(doc_.Settings.PkFontPath, "elsewhere");
  EXPECT_TRUE(view_.IsDocumentOpen());
  choice.PkFontPath = fonts;
  choice.ResolutionText = "300";
  choice.GammaText = "-2.2";
  choice.Save = true;
  view_.ApplyOptions(choice);
  EXPECT_EQ(window_.PaletteBuilds, 1);
  EXPECT_EQ(doc_.Settings.ResolutionY, 300.0);
  EXPECT_EQ(CurrentRuleWidth(doc_), (width_at_600 + 1) / 2);  // loaded again at 300 dpi
  // No initialization file path in this test: the save fails, and says so.
  ASSERT_FALSE(ui_.Boxes.empty());
  EXPECT_EQ(ui_.Boxes.back().Text, "Cannot save options to \"\"");
  EXPECT_EQ(ui_.Boxes.back().Caption, "");
}

TEST_F(ViewDialogsTest, ZitiLinesNameTheFacesDefinedAndRemoved) {
  doc_.Faces = FaceTable{};
  std::vector<std::string> lines = ZitiLines(doc_.Faces, view_.Lang());
  ASSERT_EQ(lines.size(), 27u);
  EXPECT_EQ(lines[0], "BiaoDian: ");
  EXPECT_EQ(lines[1], " \\ziti{A}(\\songti): ");
  EXPECT_EQ(lines[5], " \\ziti{E}(\\biaosong): ");
  EXPECT_EQ(lines[26], " \\ziti{Z}: ");
  platform::LogFontA font = ChooserStart(doc_.Faces, 2);
  EXPECT_EQ(font.Height, 60);
  std::copy_n("AR PL UMing CN", 15, font.FaceName);
  DefineFaces(doc_.Faces, {2, 3}, font);
  EXPECT_EQ(ZitiLine(doc_.Faces, 2, view_.Lang()), " \\ziti{B}(\\heiti): AR PL UMing CN, mag=1.0000");
  EXPECT_EQ(ZitiLine(doc_.Faces, 3, view_.Lang()), " \\ziti{C}(\\kaishu): AR PL UMing CN, mag=1.0000");
  EXPECT_TRUE(FaceServes(doc_.Faces, 3));
  RemoveFaces(doc_.Faces, {3});
  EXPECT_EQ(ZitiLine(doc_.Faces, 3, view_.Lang()), " \\ziti{C}(\\kaishu): ");
  font.FaceName[0] = '\0';
  DefineFaces(doc_.Faces, {2}, font);  // no name: out of use
  EXPECT_FALSE(FaceServes(doc_.Faces, 2));
  view_.SetLanguage(Language::Chinese);
  EXPECT_EQ(ZitiLine(doc_.Faces, 0, view_.Lang()), "标点符号库: ");
  doc_.Faces = FaceTable{};
}

TEST_F(ViewDialogsTest, TheRulerDrawsItsCrossShowsThePlaceAndLeavesNoTrace) {
  EXPECT_EQ(RulerUnit(600, 600, 1.0), 1);
  EXPECT_EQ(RulerUnit(600, 600, 0.05), 5);
  EXPECT_EQ(RulerUnit(72, 72, 0.1), 10);
  Open({7});
  window_.Caption = "doc.dvi - Page 7";
  view_.IgnoreNextClick = 1;
  view_.RulerPress(100, 100);  // the click that gave the focus
  EXPECT_FALSE(view_.RulerActive());
  view_.RulerPress(view_.OffsetX, view_.OffsetY + 118);  // 118 px at 600 dpi: 0.50 cm
  ASSERT_TRUE(view_.RulerActive());
  EXPECT_EQ(window_.Caption, "Ruler unit: 1mm (0.00cm,0.50cm)");
  EXPECT_EQ(window_.RulerDrawings, 1);
  view_.RulerMove(view_.OffsetX - 236, view_.OffsetY);  // left of the origin
  EXPECT_EQ(window_.Caption, "Ruler unit: 1mm (-1.00cm,0.00cm)");
  // A viewport move ends the drag first; every line went twice (erased).
  view_.ViewCommand(CM_VIEWDOWN);
  EXPECT_FALSE(view_.RulerActive());
  EXPECT_EQ(window_.RulerDrawings, 0);
  EXPECT_EQ(window_.Caption, "doc.dvi - Page 7");
  std::map<std::tuple<int, int, int, int, int>, int> drawn;
  for (const RulerLine& l : window_.XorLines) {
    ++drawn[{static_cast<int>(l.Pen), l.X0, l.Y0, l.X1, l.Y1}];
  }
  for (const auto& [line, times] : drawn) EXPECT_EQ(times % 2, 0);
  // Far outside the window across, only the other scale is drawn.
  const std::vector<RulerLine> cross = RulerCross(-100, 50, 1, {0, 0, 400, 300}, 600, 600, 1.0);
  EXPECT_TRUE(std::all_of(cross.begin(), cross.end(),
                          [](const RulerLine& l) { return l.Y0 != l.Y1 || l.X1 - l.X0 > 300; }));
  EXPECT_EQ(cross.back().Pen, RulerPen::HundredMm);
  // At 200% the ticks stand where they stood (device pixels of the page)
  // and are twice as long; a position 12 pixels beside the window, out of
  // reach at 96 dpi, is within the ticks' reach at 192.
  const std::vector<RulerLine> small = RulerCross(200, 150, 1, {0, 0, 400, 300}, 600, 600, 1.0);
  const std::vector<RulerLine> large =
      RulerCross(200, 150, 1, {0, 0, 400, 300}, 600, 600, 1.0, 192);
  ASSERT_EQ(small.size(), large.size());
  for (std::size_t i = 0; i + 1 < small.size(); ++i) {
    if (small[i].Y0 != small[i].Y1) continue;  // the ticks across the vertical scale
    EXPECT_EQ(large[i].Y0, small[i].Y0);
    EXPECT_EQ(large[i].X1 - large[i].X0 - 1, 2 * (small[i].X1 - small[i].X0 - 1));
  }
  const auto has_vertical_scale = [](const std::vector<RulerLine>& lines) {
    return std::any_of(lines.begin(), lines.end(),
                       [](const RulerLine& l) { return l.X0 == -12 && l.X1 == -12; });
  };
  EXPECT_FALSE(has_vertical_scale(RulerCross(-12, 50, 1, {0, 0, 400, 300}, 600, 600, 1.0)));
  EXPECT_TRUE(has_vertical_scale(RulerCross(-12, 50, 1, {0, 0, 400, 300}, 600, 600, 1.0, 192)));
}

}  // namespace
}  // namespace mox::test
