// The recorder the document tests answer with: it words and styles what it
// records as the window would, answers from its script (No to a question,
// OK to a note, when the script is empty), ends a wait on a scripted cancel
// or once the wait is over, and follows the busy state.
#include "tests/support/recording_reporter.h"

#include <gtest/gtest.h>

#include "platform/user_interface.h"

namespace mox::test {
namespace {

TEST(RecordingReporterTest, RecordsWhatTheWindowWouldShowAndAnswersFromItsScript) {
  RecordingReporter report;
  report.Error("Invalid DVI file");
  report.Warning("em:point 9 undefined, line ignored.");
  report.Status("Scanning page 1");
  EXPECT_FALSE(report.Question("invalid Chinese character code ignored"));
  report.AnswerNext(platform::kAnswerYes);
  EXPECT_TRUE(report.Question("Cannot open TrueType font"));
  report.Notice("These fonts could not be found", "MOXWIN", true);

  ASSERT_EQ(report.Boxes.size(), 4u);
  EXPECT_EQ(report.Boxes[0].Text, "Invalid DVI file");
  EXPECT_EQ(report.Boxes[1].Text, "Warning: invalid Chinese character code ignored\n\nContinue?");
  EXPECT_EQ(report.Boxes[1].Caption, "Warning");
  EXPECT_EQ(report.Boxes[1].Style, platform::kBoxYesNo | platform::kBoxIconQuestion);
  EXPECT_EQ(report.Boxes[3].Style, platform::kBoxOk | platform::kBoxIconWarning);
  EXPECT_EQ(report.Captions, (std::vector<std::string>{
                                 "Warning: em:point 9 undefined, line ignored.",
                                 "Scanning page 1"}));

  report.SetLanguage(Language::Chinese);
  EXPECT_FALSE(report.Question("非法字符"));
  EXPECT_EQ(report.Boxes.back().Text, "非法字符\n\n是否继续?");

  // A wait ends when its program does, or at once on a scripted cancel.
  int polls = 0;
  EXPECT_TRUE(report.WaitFor("Making fonts", "MAKEPK", "Cancel", [&] { return ++polls == 3; }));
  EXPECT_EQ(polls, 3);
  report.AnswerNext(platform::kAnswerCancel);
  EXPECT_FALSE(report.WaitFor("Making fonts", "MAKEPK", "Cancel", [] { return false; }));
  EXPECT_EQ(report.Boxes.back().Style, platform::kBoxOkCancel);

  {
    BusyWhile outer(report);
    BusyWhile inner(report);
    EXPECT_EQ(report.BusyDepth, 2);
  }
  EXPECT_EQ(report.BusyDepth, 0);
  EXPECT_EQ(report.BusyStarts, 2);
}

}  // namespace
}  // namespace mox::test
