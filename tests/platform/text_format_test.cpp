#include "platform/text_format.h"

#include <gtest/gtest.h>

namespace mox {
namespace {

TEST(FormatTest, FormatsLikePrintfWithoutLimit) {
  EXPECT_EQ(Format("%s - Page %ld", "paper", 12L), "paper - Page 12");
  EXPECT_EQ(Format("%0.4lg", 10.0), "10");
  EXPECT_EQ(Format("%0.2lf", 600.0), "600.00");
  EXPECT_EQ(Format("%s", std::string(5000, 'a').c_str()).size(), 5000u);
  EXPECT_EQ(Format("%s", ""), "");
}

TEST(TruncateGbkTest, KeepsWholeCharacters) {
  std::string text = "ab字c";
  TruncateGbk(text, 3);  // the lead byte of 字 alone would be cut
  EXPECT_EQ(text, "ab");
  text = "ab字c";
  TruncateGbk(text, 4);
  EXPECT_EQ(text, "ab字");
  text = "short";
  TruncateGbk(text, 100);
  EXPECT_EQ(text, "short");
  text = "字字";
  TruncateGbk(text, 0);
  EXPECT_EQ(text, "");
}

TEST(TruncateGbkTest, TrailBytesThatLookLikeAsciiStayWithTheirLead) {
  // GBK trail bytes range over 0x40..0xFE, so "\\" (0x5C) can be one.
  std::string text = "\x81\x5C\x81\x5C";
  TruncateGbk(text, 3);
  EXPECT_EQ(text, "\x81\x5C");
}

TEST(FindLastOfGbkTest, FindsSeparatorsButNotTrailBytes) {
  EXPECT_EQ(FindLastOfGbk("C:\\tex\\a.dvi", "\\:"), 6u);
  EXPECT_EQ(FindLastOfGbk("a.dvi", "\\:"), std::string_view::npos);
  EXPECT_EQ(FindLastOfGbk("", "\\"), std::string_view::npos);
  // 0x81 0x5C is one character; the real separator is before it.
  EXPECT_EQ(FindLastOfGbk("a\\\x81\x5C", "\\"), 1u);
  // A lead byte at the very end has no trail byte and is itself no match.
  EXPECT_EQ(FindLastOfGbk("a\\\x81", "\\"), 1u);
}

TEST(ReplaceGbkTest, ReplacesSingleBytesOnly) {
  std::string path = "C:\\\x81\x5C\\a.dvi";
  ReplaceGbk(path, '\\', '/');
  EXPECT_EQ(path, "C:/\x81\x5C/a.dvi");
}

}  // namespace
}  // namespace mox
