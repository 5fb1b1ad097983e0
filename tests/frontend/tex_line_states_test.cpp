// The TeX states of a text's lines kept through edits: recomputed from an
// edit no further than they change or than the line asked for, lines added
// and taken away, and a far line guessed within the budget.
#include "frontend/core/tex_line_states.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mox::varelo {
namespace {

// A text of lines whose reads are counted.
struct CountedText {
  std::vector<std::string> Lines;
  int Reads = 0;
  TexLineStates::LineText Source() {
    return [this](std::size_t line) -> std::string_view {
      ++Reads;
      return Lines.at(line);
    };
  }
  int ReadsFor(TexLineStates& states, std::size_t line) {
    Reads = 0;
    EXPECT_TRUE(states.StartOf(line, Source()).Exact);
    return Reads;
  }
};

platform::TextChange LinesChanged(std::size_t first, std::size_t old_lines, std::size_t new_lines) {
  platform::TextChange change;
  change.FirstLine = first;
  change.OldLines = old_lines;
  change.NewLines = new_lines;
  return change;
}

TEST(TexLineStatesTest, AnEditIsRecomputedOnlyUntilTheStatesAgreeAgain) {
  CountedText text;
  text.Lines.assign(1000, "some text \\emph{here}");
  TexLineStates states(1000);
  EXPECT_EQ(text.ReadsFor(states, 1000), 1000);
  text.Lines[10] = "a word";
  states.Changed(LinesChanged(10, 1, 1));
  EXPECT_EQ(text.ReadsFor(states, 1000), 1);
  // A "$" opens math down to the last line asked for; the rest waits.
  text.Lines[10] = "open $ math";
  states.Changed(LinesChanged(10, 1, 1));
  EXPECT_EQ(text.ReadsFor(states, 50), 40);
  EXPECT_EQ(states.StartOf(50, text.Source()).State.Math, TexMath::Dollar);
  EXPECT_EQ(states.ExactLines(), 51u);
  // Closed again: the old states below line 50 are right again.
  text.Lines[10] = "open $ math $";
  states.Changed(LinesChanged(10, 1, 1));
  EXPECT_EQ(text.ReadsFor(states, 1000), 41);
  EXPECT_EQ(states.StartOf(1000, text.Source()).State, TexLineState{});
  // Lines added and taken away.
  text.Lines[20] = "$a";
  text.Lines.insert(text.Lines.begin() + 21, {"b", "c$"});
  states.Changed(LinesChanged(20, 1, 3));
  EXPECT_EQ(states.LineCount(), 1002u);
  EXPECT_EQ(text.ReadsFor(states, 1002), 3);
  EXPECT_EQ(states.StartOf(22, text.Source()).State.Math, TexMath::Dollar);
  text.Lines.erase(text.Lines.begin() + 21, text.Lines.begin() + 23);
  text.Lines[20] = "z";
  states.Changed(LinesChanged(20, 3, 1));
  EXPECT_EQ(text.ReadsFor(states, 1000), 1);
  EXPECT_EQ(states.StartOf(21, text.Source()).State, TexLineState{});
}

TEST(TexLineStatesTest, AFarLineIsGuessedWithinTheBudgetUntilCaughtUp) {
  CountedText text;
  text.Lines.assign(1000, "twenty bytes of text");
  TexLineStates states(1000);
  const TexLineStates::Answer far = states.StartOf(900, text.Source(), 200);
  EXPECT_FALSE(far.Exact);
  EXPECT_EQ(far.State, TexLineState{});
  EXPECT_LT(text.Reads, 120);
  EXPECT_FALSE(states.CatchUp(text.Source(), 200));
  EXPECT_TRUE(states.CatchUp(text.Source(), 1u << 20));
  EXPECT_EQ(text.ReadsFor(states, 1000), 0);
}

}  // namespace
}  // namespace mox::varelo
