#include "previewer/startup/page_selection.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "previewer/startup/options.h"
#include "previewer/startup/document_core.h"
#include "tests/support/recording_reporter.h"

namespace mox {

bool operator==(const PageRange& a, const PageRange& b) {
  return a.Low == b.Low && a.High == b.High;
}
void PrintTo(const PageRange& range, std::ostream* out) {
  *out << "{" << range.Low << ", " << range.High << "}";
}

namespace {

class PageSelectionTest : public ::testing::Test {
 protected:
  std::vector<PageRange> Parsed(std::string_view text) {
    doc_.SelectPages(text);
    return doc_.Selection.Ranges();
  }

  // The \count0 values among 1..10 that pass the selection.
  std::vector<int> SelectedPages() const {
    std::vector<int> pages;
    for (int page = 1; page <= 10; ++page) {
      if (doc_.IsPageSelected(page, page)) pages.push_back(page);
    }
    return pages;
  }

  test::RecordingReporter report_;
  DocumentCore doc_{report_, Options{}};
};

using Ranges = std::vector<PageRange>;

TEST_F(PageSelectionTest, ItemForms) {
  EXPECT_EQ(Parsed("1:5;9"), (Ranges{{1, 5}, {9, 9}}));
  EXPECT_EQ(Parsed(":3"), (Ranges{{kNoLowerBound, 3}}));
  EXPECT_EQ(Parsed("7:"), (Ranges{{7, kNoUpperBound}}));
  EXPECT_EQ(Parsed(":"), (Ranges{{kNoLowerBound, kNoUpperBound}}));
  EXPECT_EQ(Parsed("  2 :  4 ; 6 "), (Ranges{{2, 4}, {6, 6}}));
  EXPECT_EQ(Parsed("-3:-1"), (Ranges{{-3, -1}}));
  EXPECT_EQ(Parsed(" : 8"), (Ranges{{kNoLowerBound, 8}}));
}

TEST_F(PageSelectionTest, EmptyItemEndsTheList) {
  EXPECT_EQ(Parsed("1;;5"), (Ranges{{1, 1}}));
  EXPECT_EQ(Parsed("1; ;5"), (Ranges{{1, 1}}));
  EXPECT_EQ(Parsed("1;"), (Ranges{{1, 1}}));
  EXPECT_EQ(Parsed(";5"), Ranges{});
  EXPECT_EQ(Parsed(""), Ranges{});
  EXPECT_EQ(Parsed("   "), Ranges{});
}

TEST_F(PageSelectionTest, NumbersReadLikeAtolAndClamp) {
  EXPECT_EQ(Parsed("abc"), (Ranges{{0, 0}}));
  EXPECT_EQ(Parsed("3x:5y"), (Ranges{{3, 5}}));
  EXPECT_EQ(Parsed("1:2:3"), (Ranges{{1, 2}}));
  EXPECT_EQ(Parsed("99999999999:"), (Ranges{{2147483647, kNoUpperBound}}));
  EXPECT_EQ(Parsed("-99999999999"), (Ranges{{-2147483647 - 1, -2147483647 - 1}}));
}

TEST_F(PageSelectionTest, ParsingReplacesAndDiscardingEmptiesTheList) {
  Parsed("1;2;3");
  EXPECT_EQ(Parsed("4"), (Ranges{{4, 4}}));
  doc_.Selection = PageSelection();
  EXPECT_TRUE(doc_.Selection.Ranges().empty());
}

TEST_F(PageSelectionTest, RangesSelectTheirPages) {
  EXPECT_EQ(SelectedPages(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  doc_.SelectPages("1:3;9");
  EXPECT_EQ(SelectedPages(), (std::vector<int>{1, 2, 3, 9}));
  doc_.SelectPages(":3");
  EXPECT_TRUE(doc_.IsPageSelected(-100, 1));
  doc_.SelectPages("1;;5");
  EXPECT_EQ(SelectedPages(), (std::vector<int>{1}));
  doc_.SelectPages("8:");
  EXPECT_TRUE(doc_.IsPageSelected(2147483647, 1));
}

TEST_F(PageSelectionTest, ParityFilterLooksAtTheSignedKey) {
  doc_.Settings.ParityFilter = 1;  // odd pages only
  EXPECT_EQ(SelectedPages(), (std::vector<int>{1, 3, 5, 7, 9}));
  EXPECT_TRUE(doc_.IsPageSelected(-3, 1));
  EXPECT_FALSE(doc_.IsPageSelected(-2, 1));
  EXPECT_FALSE(doc_.IsPageSelected(0, 1));

  doc_.Settings.ParityFilter = 2;  // even pages only
  EXPECT_FALSE(doc_.IsPageSelected(-3, 2));
  EXPECT_TRUE(doc_.IsPageSelected(0, 1));
  doc_.SelectPages("3:7");  // and the ranges still apply
  EXPECT_EQ(SelectedPages(), (std::vector<int>{4, 6}));
}

TEST_F(PageSelectionTest, SequenceModeSelectsByPositionInTheFile) {
  doc_.Settings.ParityFilter = 1;
  doc_.Settings.SequenceMode = 1;
  // The pages' \count0 values are all even; only the position counts.
  std::vector<int> kept;
  for (int sequence = 1; sequence <= 6; ++sequence) {
    if (doc_.IsPageSelected(100, sequence)) kept.push_back(sequence);
  }
  EXPECT_EQ(kept, (std::vector<int>{1, 3, 5}));

  doc_.Settings.ParityFilter = 0;
  doc_.SelectPages("2:3");
  EXPECT_FALSE(doc_.IsPageSelected(2, 1));
  EXPECT_TRUE(doc_.IsPageSelected(99, 2));
}

}  // namespace
}  // namespace mox
