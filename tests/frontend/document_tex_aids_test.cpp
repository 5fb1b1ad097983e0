// The TeX aids on the editor's UTF-16 text: byte offsets of the GBK
// logic come back as the right units past Chinese characters and
// characters without a GBK code, the brace search is bounded round the
// caret, and a completion replaces the typed word as one undo step.
#include "frontend/core/document_tex_aids.h"

#include <gtest/gtest.h>

namespace mox::varelo {
namespace {

TEST(DocumentTexAidsTest, OffsetsPastChineseAndCharactersWithoutGbk) {
  // 中 takes two bytes; each half of the emoji one byte 0xFF.
  const std::u16string line = u"中\U0001F600\\alpha x";
  GbkUnits units;
  units.Assign(line);
  EXPECT_EQ(units.Bytes().size(), 2u + 2u + 8u);
  EXPECT_EQ(units.ByteOf(1), 2u);
  EXPECT_EQ(units.ByteOf(3), 4u);
  EXPECT_EQ(units.UnitOf(1), 0u);  // a trail byte belongs to its character
  EXPECT_EQ(units.UnitOf(units.Bytes().size()), line.size());
  const TexLineColours colours = ColourTexLine(units.Bytes(), {});
  std::vector<TexUnitRun> runs;
  TexRunsInUnits(units, colours.Spans, runs);
  ASSERT_FALSE(runs.empty());
  EXPECT_EQ(runs[0].Kind, TexSpanKind::ControlSequence);
  EXPECT_EQ(runs[0].Start, 3u);
  EXPECT_EQ(runs[0].End, 9u);
  units.Assign(u"");
  EXPECT_EQ(units.UnitOf(0), 0u);
}

TEST(DocumentTexAidsTest, BracesAcrossLinesWithinTheBound) {
  platform::TextDocument document;
  document.SetText(u"{中\r\n\U0001F600}\r\n\\{ [x}");
  DocumentBrace brace = MatchBraceAt(document, 1);
  EXPECT_EQ(brace.Outcome, BraceOutcome::Matched);
  EXPECT_EQ(brace.Brace, 0u);
  EXPECT_EQ(brace.Partner, 6u);
  EXPECT_EQ(brace.CaretTarget, 7u);
  EXPECT_EQ(MatchBraceAt(document, 7).Partner, 0u);
  // The last line's "}" has no partner ("\{" is escaped), its "[" none
  // inside the group.
  EXPECT_EQ(MatchBraceAt(document, document.Length()).Outcome, BraceOutcome::Unmatched);
  EXPECT_EQ(MatchBraceAt(document, 3).Outcome, BraceOutcome::NoBrace);
  // The partner beyond the lines handed over is not called missing.
  document.SetText(u"{\r\n" + std::u16string(50, u'x') + u"\r\n}");
  EXPECT_EQ(MatchBraceAt(document, 1, 10).Outcome, BraceOutcome::BeyondBound);
  EXPECT_EQ(MatchBraceAt(document, 1).Outcome, BraceOutcome::Matched);
}

TEST(DocumentTexAidsTest, CompletionReplacesTheWordAsOneStep) {
  platform::TextDocument document;
  document.SetText(u"中\U0001F600 \\frx y");
  DocumentCompletion at = CompletionAt(document, 7);  // after "\fr"
  ASSERT_EQ(at.Context.Kind, CompletionKind::Command);
  InsertCompletion(document, at, {"\\frac", "", "\\frac{}{}"});
  EXPECT_EQ(document.Text(), u"中\U0001F600 \\frac{}{} y");
  EXPECT_EQ(document.Caret(), 10u);  // in the first braces
  EXPECT_TRUE(document.Undo());
  EXPECT_EQ(document.Text(), u"中\U0001F600 \\frx y");

  document.SetText(u"  \\begin{ite", u"\r\n");
  at = CompletionAt(document, document.Length());
  ASSERT_EQ(at.Context.Kind, CompletionKind::BeginEnvironment);
  InsertCompletion(document, at, {"itemize", "", ""});
  EXPECT_EQ(document.Text().substr(0, 18), u"  \\begin{itemize}\r");
  EXPECT_NE(document.Text().find(u"\\end{itemize}"), std::u16string::npos);
  EXPECT_EQ(document.LineOf(document.Caret()), 1u);
  EXPECT_EQ(CompletionAt(document, 0).Context.Kind, CompletionKind::None);
}

}  // namespace
}  // namespace mox::varelo
