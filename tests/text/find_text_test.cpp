// Finding text in documents: on a page, across line ends, on later pages
// and round from the end.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "previewer/text/find_text.h"
#include "tests/text/text_fixture.h"

namespace mox::test {
namespace {

// The plain text of a match's characters.
std::string MatchedText(const PageText& page, const TextMatch& match) {
  PageText part;
  part.Characters.assign(page.Characters.begin() + match.First,
                         page.Characters.begin() + match.Last + 1);
  std::string text = PlainText(part);
  text.pop_back();  // the last line's break
  return text;
}

TEST_F(TextDocumentTest, APhraseIsFoundAcrossALineBreakWithoutRegardToCase) {
  Load("plain.dvi");
  const PageText page = Page(0);
  // "typewriter" ends a line, "and slanted." begins the next.
  const std::optional<TextMatch> match = FindInPage(page, "Typewriter  AND\tslanted", 0);
  ASSERT_TRUE(match);
  EXPECT_EQ(MatchedText(page, *match), "typewriter\nand slanted");
  ASSERT_EQ(match->Boxes.size(), 20u);  // a box a character, none for the blanks
  EXPECT_GT(match->Boxes.back().Top, match->Boxes.front().Bottom);
  // Inside a ligature: "fi" of "first" is one character.
  const std::optional<TextMatch> inside = FindInPage(page, "irst", 0);
  ASSERT_TRUE(inside);
  EXPECT_EQ(page.Characters[static_cast<std::size_t>(inside->First)].Text, U"fi");
  EXPECT_FALSE(FindInPage(page, " \n ", 0));
}

TEST_F(TextDocumentTest, TheNextMatchIsOnALaterPageAndRoundFromTheEnd) {
  Load("links-hypertex.dvi");
  // "Section" is on both pages: the second match of page 1 is the one
  // after the first, and after that the search goes on to page 2.
  const std::optional<TextMatch> first = FindText(doc_, "section", {0, 0}, false);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Page, 0);
  const std::optional<TextMatch> second = FindText(doc_, "section", {0, first->First + 1}, false);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->Page, 1);
  EXPECT_EQ(MatchedText(Page(1), *second), "Section");
  // Before the start only when the search wraps round.
  EXPECT_FALSE(FindText(doc_, "the book", {1, 0}, false));
  const std::optional<TextMatch> round = FindText(doc_, "the book", {1, 0}, true);
  ASSERT_TRUE(round);
  EXPECT_EQ(round->Page, 0);
  // Round to the start page's own text before the position: "See" is
  // characters 6 to 8, after the heading "1 Links".
  EXPECT_FALSE(FindText(doc_, "See Section", {0, 7}, false));
  const std::optional<TextMatch> back = FindText(doc_, "See Section", {0, 7}, true);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Page, 0);
  EXPECT_EQ(back->First, 6);
  EXPECT_FALSE(FindText(doc_, "no such words", {0, 0}, true));
}

TEST_F(TextDocumentTest, ChineseTextIsFound) {
  Load("chinese.dvi");
  const std::optional<TextMatch> match = FindText(doc_, Utf8(u8"宋体：啊亍齄"), {0, 0}, false);
  ASSERT_TRUE(match);
  EXPECT_EQ(match->Page, 1);
  EXPECT_EQ(match->Boxes.size(), 6u);
}

}  // namespace
}  // namespace mox::test
