// The drivers' specials as the pre-scan and the page scan follow them:
// dvips' colour stack across pages, the paper colour and size, long
// specials, and the one warning that names what is not drawn.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "previewer/dvi/page_buffer.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/render/preview_document.h"
#include "tests/support/document_fixture.h"
#include "tests/support/dvi_writer.h"

namespace mox::test {
namespace {

constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0000FF;

class DriverSpecialsTest : public DocumentTest {
 protected:
  int Load(DviWriter& dvi) {
    if (OpenBytes(dvi.Data()) != 0) return 1;
    return PreScan(doc_);
  }

  // The colours the page's items are drawn in, in order.
  std::vector<std::uint32_t> Colours(int page) {
    EXPECT_EQ(ScanPage(doc_, page), 0);
    std::vector<std::uint32_t> colours;
    for (const PageItem& item : doc_.Page.Items) {
      if (item.Kind == ItemDvipsColor) colours.push_back(item.Ref());
    }
    return colours;
  }
};

TEST_F(DriverSpecialsTest, TheColourStackRunsOnAcrossPagesAndAnyPageScansOnItsOwn) {
  DviWriter dvi;
  dvi.Preamble("colours");
  // Page 1 leaves blue pushed over red; page 2 pops both and once more;
  // page 3 sets the paper yellow and starts black.
  dvi.BeginPage(1).Special("color push rgb 1 0 0").Special("color push Blue").EndPage();
  dvi.BeginPage(2).Special("color pop").Special("color pop").Special("color pop").EndPage();
  dvi.BeginPage(3).Special("background rgb 1 1 0").SetRule(65536, 65536).EndPage();
  dvi.Finish();
  ASSERT_EQ(Load(dvi), 0);
  EXPECT_EQ(Colours(2), std::vector<std::uint32_t>{});
  EXPECT_TRUE(doc_.Page.Coloured);  // its paper
  EXPECT_EQ(doc_.Page.Background, (RgbColor{255, 255, 0}));
  // Scanned after page 3, page 2 still starts in blue.
  EXPECT_EQ(Colours(1), (std::vector<std::uint32_t>{kBlue, kRed, 0}));
  EXPECT_EQ(Colours(0), (std::vector<std::uint32_t>{kRed, kBlue}));
  // The extra pop is named once, with its page.
  ASSERT_EQ(ui_.Boxes.size(), 1u);
  EXPECT_NE(ui_.Boxes[0].Text.find("color pop with no colour pushed (first on page 2)"),
            std::string::npos);
}

TEST_F(DriverSpecialsTest, KindsNotDrawnAreNamedOncePerFileAndLongSpecialsAreRead) {
  const std::string long_postscript = "ps: " + std::string(300, '%');
  DviWriter dvi;
  dvi.Preamble("specials");
  dvi.BeginPage(1).Special("papersize=210mm,297mm").Special("header=color.pro")
      .Special("ZiTi=" + std::string(300, 'B')).EndPage();
  dvi.BeginPage(2).Special(long_postscript).Special("pdf: dest (a)").Special("ps: x")
      .Special("landscape").EndPage();
  dvi.Finish();
  ASSERT_EQ(Load(dvi), 0);
  ASSERT_EQ(ui_.Boxes.size(), 1u);
  EXPECT_EQ(ui_.Boxes[0].Text,
            "These kinds of \\special are not drawn:\n  ps: (first on page 2)\n"
            "  pdf: (first on page 2)");
  // A long ZiTi= special keeps its old rule: skipped, so page 2 starts with
  // the ziti of page 1.
  EXPECT_EQ(doc_.Dvi.Pages[1].Ziti, 0);
  // The paper, turned: 297 by 210 mm less an inch each side.
  EXPECT_NEAR(doc_.Dvi.PageWidth() * doc_.Dvi.ConversionX,
              (297.0 / 25.4 - 2.0) * doc_.Settings.ResolutionX, 1.0);
  // A reload names nothing it named before.
  ui_.Boxes.clear();
  ASSERT_EQ(Load(dvi), 0);
  EXPECT_TRUE(ui_.Boxes.empty());
}

}  // namespace
}  // namespace mox::test
