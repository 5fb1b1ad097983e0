// Two documents open in one process, each with a reporter of its own: opened,
// pre-scanned, loaded and scanned in turn, each draws its pages as it does
// when it is alone, says what it has to say to its own reporter in its own
// language, and closing one leaves the other as it was.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/user_interface.h"
#include "previewer/dvi/document_operation.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/render/memory_device.h"
#include "previewer/render/page_renderer.h"
#include "previewer/render/preview_document.h"
#include "tests/support/recording_reporter.h"

namespace mox::test {
namespace {

constexpr double kZoom = 0.25;

std::string Fixture(const std::string& path) { return std::string(MOX_FIXTURES_DIR) + "/" + path; }

// A document of a fixture at 300 dpi with the fixtures' fonts.
struct FixtureDocument {
  explicit FixtureDocument(Language language) : report(language), doc(report, Settings()) {}

  static Options Settings() {
    Options options;
    options.ResolutionX = options.ResolutionY = 300.0;
    options.PkFontPath = Fixture("pk/dpi$d");
    options.ChineseFontPath = Fixture("hzfonts");
    return options;
  }

  std::vector<std::uint8_t> Draw() {
    const PageExtent extent = PageExtentAt(doc.Dvi, kZoom, 0, 0);
    MemoryDevice device(extent.Width, extent.Height);
    EXPECT_TRUE(DrawPage(doc, device, {0, 0, extent.Width, extent.Height}, 1.0,
                         {kZoom, 0, 0, true}));
    return device.Pixels();
  }

  RecordingReporter report;
  PreviewDocument doc;
};

// Bytes of a picture that are not white paper.
long Ink(const std::vector<std::uint8_t>& pixels) {
  long ink = 0;
  for (std::uint8_t byte : pixels) ink += byte != 255;
  return ink;
}

// The picture of a page of a fixture drawn by a document alone.
std::vector<std::uint8_t> DrawnAlone(const std::string& name, int page) {
  FixtureDocument alone(Language::English);
  alone.report.AnswerNext(platform::kAnswerYes);
  EXPECT_EQ(OpenDviFile(alone.doc, Fixture("dvi/" + name)), 0);
  EXPECT_EQ(PreScan(alone.doc), 0);
  EXPECT_EQ(LoadFonts(alone.doc), 0);
  EXPECT_EQ(ScanPage(alone.doc, page), 0);
  return alone.Draw();
}

TEST(TwoDocumentsTest, EachDrawsItsPagesAsItWouldAloneAndReportsToItsOwnHost) {
  FixtureDocument western(Language::English);
  FixtureDocument chinese(Language::Chinese);
  chinese.report.AnswerNext(platform::kAnswerYes);  // its invalid code: go on

  // Every step of one between the same steps of the other.
  ASSERT_EQ(OpenDviFile(western.doc, Fixture("dvi/plain.dvi")), 0);
  ASSERT_EQ(OpenDviFile(chinese.doc, Fixture("dvi/chinese.dvi")), 0);
  ASSERT_EQ(PreScan(western.doc), 0);
  ASSERT_EQ(PreScan(chinese.doc), 0);
  ASSERT_EQ(LoadFonts(chinese.doc), 0);
  ASSERT_EQ(LoadFonts(western.doc), 0);
  ASSERT_EQ(ScanPage(western.doc, 0), 0);
  ASSERT_EQ(ScanPage(chinese.doc, 1), 0);
  const std::vector<std::uint8_t> chinese_page = chinese.Draw();
  const std::vector<std::uint8_t> western_page = western.Draw();
  EXPECT_EQ(western_page, DrawnAlone("plain.dvi", 0));
  EXPECT_EQ(chinese_page, DrawnAlone("chinese.dvi", 1));
  EXPECT_GT(Ink(western_page), 1000);
  EXPECT_GT(Ink(chinese_page), 1000);
  EXPECT_NE(western_page, chinese_page);

  // Only the Chinese document met something to ask about, and asked its
  // own host, in its host's language.
  EXPECT_TRUE(western.report.Boxes.empty());
  ASSERT_EQ(chinese.report.Boxes.size(), 1u);
  EXPECT_EQ(chinese.report.Boxes[0].Text, "非法字符\n\n是否继续?");
  EXPECT_EQ(chinese.report.Boxes[0].Caption, "报警");

  // Closing one leaves the other open, on the page it scanned.
  CloseDviFile(chinese.doc);
  EXPECT_FALSE(chinese.doc.Dvi.Loaded);
  EXPECT_TRUE(chinese.doc.Fonts.ChineseFonts.empty());
  EXPECT_EQ(western.Draw(), western_page);
  ASSERT_EQ(ScanPage(western.doc, 2), 0);
  EXPECT_EQ(western.Draw(), DrawnAlone("plain.dvi", 2));
  // A failure of one is reported by that one alone.
  EXPECT_EQ(OpenDviFile(chinese.doc, Fixture("dvi/missing.dvi")), 1);
  EXPECT_EQ(chinese.report.Boxes.back().Text, "打不开DVI文件或非法文件类型");
  EXPECT_TRUE(western.report.Boxes.empty());
  EXPECT_TRUE(western.doc.Dvi.Loaded);
}

}  // namespace
}  // namespace mox::test
