// The partner of the brace at the caret across lines: nesting, the side
// of the caret that wins, escaped braces, comments and Chinese characters
// left out, brackets kept inside their group, no partner and the bound.
#include "frontend/core/brace_matching.h"

#include <gtest/gtest.h>

#include <string>

namespace mox::varelo {
namespace {

BraceMatch Match(std::string_view bytes, std::size_t caret) { return MatchBrace({bytes}, caret); }

std::size_t PartnerAt(std::string_view bytes, std::size_t caret) {
  const BraceMatch match = Match(bytes, caret);
  EXPECT_EQ(match.Outcome, BraceOutcome::Matched) << bytes << " at " << caret;
  return match.Partner;
}

TEST(BraceMatchingTest, NestedBracesAcrossLinesBothWaysAndTheCaretTarget) {
  const std::string text = "a{b\n{c}\r\nd}e";
  // The caret goes after the partner, and back again.
  BraceMatch match = Match(text, 2);
  ASSERT_EQ(match.Outcome, BraceOutcome::Matched);
  EXPECT_EQ(match.Brace, 1u);
  EXPECT_EQ(match.Partner, 10u);
  EXPECT_EQ(match.CaretTarget, 11u);
  EXPECT_EQ(Match(text, 11).CaretTarget, 2u);
  // The brace after the caret, when there is none before it.
  EXPECT_EQ(Match(text, 1).CaretTarget, 11u);
  EXPECT_EQ(Match(text, 10).CaretTarget, 2u);
  // Between "}" and "{" the one before the caret wins.
  EXPECT_EQ(Match("{}{}", 2).Brace, 1u);
  EXPECT_EQ(Match("{}{}", 0).CaretTarget, 2u);
  EXPECT_EQ(Match("{}{}", 2).CaretTarget, 1u);
  EXPECT_EQ(Match("abc", 1).Outcome, BraceOutcome::NoBrace);
}

TEST(BraceMatchingTest, EscapesCommentsAndChineseCharactersAreNotBraces) {
  EXPECT_EQ(PartnerAt(R"({\{x\}})", 0), 6u);
  EXPECT_EQ(PartnerAt(R"({\\})", 0), 3u);  // \\ then a real brace
  EXPECT_EQ(PartnerAt("{ % }\n}", 0), 6u);
  // 亇 ends in the byte of '}'; before the caret it is no brace either.
  EXPECT_EQ(PartnerAt("{亇}", 0), 3u);
  EXPECT_EQ(Match("亇", 2).Outcome, BraceOutcome::NoBrace);
  EXPECT_EQ(Match(R"(\{)", 2).Outcome, BraceOutcome::NoBrace);
}

TEST(BraceMatchingTest, BracketsPairInsideTheirGroupOnly) {
  EXPECT_EQ(PartnerAt("[a{]}]", 0), 5u);
  EXPECT_EQ(PartnerAt("{[}", 0), 2u);
  EXPECT_EQ(Match("{[}]", 2).Outcome, BraceOutcome::Unmatched);
  // An interval: the ")" has no "(", whatever brackets stand before it.
  EXPECT_EQ(Match("$[0,1)$", 6).Outcome, BraceOutcome::Unmatched);
  EXPECT_EQ(PartnerAt(R"(\left( x \right))", 5), 15u);
}

TEST(BraceMatchingTest, NoPartnerAndTheBound) {
  EXPECT_EQ(Match("{{}", 1).Outcome, BraceOutcome::Unmatched);
  EXPECT_EQ(Match("}\n\n{", 1).Outcome, BraceOutcome::Unmatched);
  std::string text = "{";
  for (int i = 0; i < 100; ++i) text += "\nno brace here";
  text += "\n}";
  BraceText bounded{text};
  bounded.MaxBytes = 500;
  EXPECT_EQ(MatchBrace(bounded, 1).Outcome, BraceOutcome::BeyondBound);
  bounded.MaxBytes = 2000;
  EXPECT_EQ(MatchBrace(bounded, 1).Partner, text.size() - 1);
  // A part of the text: its cut edge is no proof of a missing partner.
  BraceText part{"x\n{"};
  part.ReachesEnd = false;
  EXPECT_EQ(MatchBrace(part, 3).Outcome, BraceOutcome::BeyondBound);
  part.ReachesEnd = true;
  EXPECT_EQ(MatchBrace(part, 3).Outcome, BraceOutcome::Unmatched);
}

}  // namespace
}  // namespace mox::varelo
