// The page index from the chain of back pointers, the selection that cuts
// trailing pages off, and every way the end of a DVI file can be broken.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "previewer/dvi/dvi_document.h"
#include "previewer/render/preview_document.h"
#include "tests/support/document_fixture.h"
#include "tests/support/dvi_writer.h"

namespace mox {
namespace {

using test::DviPostamble;
using test::DviWriter;
using test::SimpleDvi;

class PageIndexTest : public test::DocumentTest {
 protected:
  std::vector<std::int32_t> IndexedCounts() const {
    std::vector<std::int32_t> counts;
    for (const PageEntry& page : doc_.Dvi.Pages) counts.push_back(page.Count0);
    return counts;
  }

  // Pages with these \count0 values, each long enough (a special of 100
  // bytes) that the file could hold a few more bops than it has.
  DviWriter Pages(const std::vector<std::int32_t>& counts) {
    DviWriter dvi;
    dvi.Preamble("c");
    for (const std::int32_t count0 : counts) {
      dvi.BeginPage(count0).Special(std::string(100, 'x')).EndPage();
    }
    return dvi;
  }
};

using Counts = std::vector<std::int32_t>;

TEST_F(PageIndexTest, UnselectedTrailingPagesAreCutOff) {
  doc_.Settings.ParityFilter = 1;  // -U1: odd pages
  ASSERT_EQ(OpenBytes(SimpleDvi({1, 2, 3, 4, 6})), 0);
  // Page 2 stays: only pages after the last selected one go.
  EXPECT_EQ(IndexedCounts(), (Counts{1, 2, 3}));
  EXPECT_EQ(doc_.Dvi.PageCountInFile, 5u);

  doc_.Settings.ParityFilter = 2;  // -U2: even pages
  ASSERT_EQ(OpenBytes(SimpleDvi({1, 2, 3, 4, 5})), 0);
  EXPECT_EQ(IndexedCounts(), (Counts{1, 2, 3, 4}));
  // Unselected pages before the first selected one stay as well.
  ASSERT_EQ(OpenBytes(SimpleDvi({1, 3, 4})), 0);
  EXPECT_EQ(IndexedCounts(), (Counts{1, 3, 4}));
}

TEST_F(PageIndexTest, SequenceModeSelectsByPositionInTheFile) {
  doc_.Settings.SequenceMode = 1;  // -V
  doc_.Settings.ParityFilter = 1;
  // Every \count0 is even, but positions 1 and 3 are odd: position 4 goes.
  ASSERT_EQ(OpenBytes(SimpleDvi({10, 10, 10, 10})), 0);
  EXPECT_EQ(doc_.Dvi.Pages.size(), 3u);
  doc_.Settings.ParityFilter = 2;
  ASSERT_EQ(OpenBytes(SimpleDvi({11, 11, 11, 11, 11})), 0);
  EXPECT_EQ(doc_.Dvi.Pages.size(), 4u);
}

TEST_F(PageIndexTest, NoSelectedPageFailsInEitherLanguage) {
  doc_.Settings.ParityFilter = 2;
  const std::string odd_pages = SimpleDvi({1, 3, 5});
  EXPECT_EQ(OpenError(odd_pages), "No page(s) found in the selected range");
  ui_.SetLanguage(Language::Chinese);
  EXPECT_EQ(OpenError(odd_pages), "没有选中的页号");
  EXPECT_EQ(ui_.Boxes.back().Caption, "错误信息");

  // A document without pages has nothing to select either.
  ui_.SetLanguage(Language::English);
  doc_.Settings.ParityFilter = 0;
  DviWriter empty;
  empty.Preamble().Finish();
  EXPECT_EQ(OpenError(empty.Data()), "No page(s) found in the selected range");
}

TEST_F(PageIndexTest, TheChainMustHoldExactlyTPages) {
  // t larger than the chain: the first entries would never be read.
  DviWriter more = Pages({1, 2});
  more.Finish({.PageCount = 3});
  EXPECT_EQ(OpenError(more.Data()), "Invalid page pointer chaine");

  // t smaller than the chain.
  DviWriter fewer = Pages({1, 2, 3});
  fewer.Finish({.PageCount = 2});
  EXPECT_EQ(OpenError(fewer.Data()), "Invalid page pointer chaine");

  // t far beyond what the file could hold (45 bytes a bop).
  DviWriter huge = Pages({1});
  huge.Finish({.PageCount = 65535});
  EXPECT_EQ(OpenError(huge.Data()), "Invalid page pointer chaine");
}

TEST_F(PageIndexTest, ALoopInTheChainEnds) {
  // The second page points at itself.
  DviWriter loop = Pages({1});
  const std::uint32_t second = loop.Size();
  loop.BeginPage(2, {}, second).EndPage().Finish();
  EXPECT_EQ(OpenError(loop.Data()), "Invalid page pointer chaine");

  // Two pages pointing at each other, with t = 2 and then t = 5.
  DviWriter pair = Pages({1, 2});
  pair.PatchUnsigned(pair.PageOffsets()[0] + 41, pair.PageOffsets()[1], 4);
  pair.Finish({.PageCount = 5});
  EXPECT_EQ(OpenError(pair.Data()), "Invalid page pointer chaine");
}

TEST_F(PageIndexTest, BackPointersMustPointAtABopInsideTheDviData) {
  DviWriter off_bop = Pages({1, 2});
  off_bop.PatchUnsigned(off_bop.PageOffsets()[1] + 41, off_bop.PageOffsets()[0] + 1, 4);
  off_bop.Finish();
  EXPECT_EQ(OpenError(off_bop.Data()), "Invalid page pointer");

  // p of the postamble beyond the file.
  DviWriter outside = Pages({1});
  outside.Finish({.LastPage = 0x7FFFFFF0});
  EXPECT_EQ(OpenError(outside.Data()), "Invalid page pointer");

  // A bop whose 45 bytes would run into the postamble.
  DviWriter into_postamble = Pages({1});
  into_postamble.Raw(std::string(1, '\x8B'));  // a bop byte right before post
  into_postamble.Finish({.LastPage = into_postamble.Size() - 1});
  EXPECT_EQ(OpenError(into_postamble.Data()), "Invalid page pointer");

  ui_.SetLanguage(Language::Chinese);
  EXPECT_EQ(OpenError(off_bop.Data()), "非法DVI文件");
}

TEST_F(PageIndexTest, EveryBrokenEndHasItsMessage) {
  const auto broken = [&](auto&& change) {
    DviWriter dvi;
    dvi.Preamble("c").BeginPage(1).EndPage();
    change(dvi);
    return dvi.Data();
  };
  EXPECT_EQ(OpenError(broken([&](DviWriter& d) { d.Finish().Byte(0); })), "Invalid DVI file");
  EXPECT_EQ(OpenError(broken([&](DviWriter& d) { d.Postamble().PostPost({}, 3).Trailer(); })),
            "Invalid id.");
  // Nothing but trailer bytes (the comment length is one of them).
  EXPECT_EQ(OpenError(std::string(300, '\xDF')), "Invalid id.");
  EXPECT_EQ(OpenError(broken([&](DviWriter& d) {
              d.Postamble().Byte(0).Unsigned(0, 4).Byte(2).Trailer();
            })),
            "Can not find the post_post command");
  // The id byte too close to the start for a post_post before it.
  EXPECT_EQ(OpenError(std::string("\0\0\x02", 3) + std::string(235, '\xDF')),
            "Can not find the post_post command");
  EXPECT_EQ(OpenError(broken([&](DviWriter& d) {
              d.Postamble();
              d.PostPost(d.PostambleOffset() + 1).Trailer();
            })),
            "Can not find the postamble");
  // q beyond post_post, and q so close to post_post that the fields overlap.
  EXPECT_EQ(OpenError(broken([&](DviWriter& d) {
              d.Postamble();
              d.PostPost(d.Size() + 2).Trailer();
            })),
            "Can not find the postamble");
  EXPECT_EQ(OpenError(broken([&](DviWriter& d) {
              const std::uint32_t post = d.Size();
              d.Byte(248).PostPost(post).Trailer();
            })),
            "Can not find the postamble");
  EXPECT_EQ(OpenError(broken([&](DviWriter& d) { d.Finish({.Den = 0}); })), "Invalid DVI file");

  ui_.SetLanguage(Language::Chinese);
  EXPECT_EQ(OpenError(broken([&](DviWriter& d) { d.Postamble().PostPost({}, 3).Trailer(); })),
            "非法DVI文件");
}

TEST_F(PageIndexTest, FileThatCannotBeOpened) {
  ui_.Boxes.clear();
  EXPECT_EQ(OpenDviFile(doc_, dir_.File("missing.dvi")), 1);
  EXPECT_EQ(OnlyError(), "Cannot open DVI file or invalid file type.");
  EXPECT_EQ(ui_.Boxes.back().Caption, "Error message");
  ui_.SetLanguage(Language::Chinese);
  ui_.Boxes.clear();
  EXPECT_EQ(OpenDviFile(doc_, dir_.File("missing.dvi")), 1);
  EXPECT_EQ(OnlyError(), "打不开DVI文件或非法文件类型");
}

TEST_F(PageIndexTest, FontDefinitionsOfThePostamble) {
  DviWriter big_number = Pages({1});
  big_number.Finish({.Fonts = {{.Number = 300, .Name = "cmr10", .NumberBytes = 2}}});
  EXPECT_EQ(OpenError(big_number.Data()), "Font no.>255");

  DviWriter forbidden = Pages({1});
  forbidden.Postamble({.Fonts = {{.Number = 1, .Name = "cmr10"}}}).EndPage();  // eop
  forbidden.PostPost().Trailer();
  EXPECT_EQ(OpenError(forbidden.Data()), "Forbidden command found in postamble");

  // A definition whose name runs past the end of the DVI data.
  DviWriter long_name = Pages({1});
  long_name.Postamble().Byte(243).Byte(1).Raw(std::string(12, '\0')).Byte(0).Byte(200);
  long_name.PostPost().Trailer();
  EXPECT_EQ(OpenError(long_name.Data()), "Invalid DVI file");

  ui_.SetLanguage(Language::Chinese);
  EXPECT_EQ(OpenError(big_number.Data()), "字库号>255");
  EXPECT_EQ(OpenError(forbidden.Data()), "非法DVI文件");
}

}  // namespace
}  // namespace mox
