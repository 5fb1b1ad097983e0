// The recorder the document tests answer with: it keeps the boxes and caption
// lines the window would show (their wording is the window's, tested with
// it), answers from its script (No to a question when the script is empty),
// ends a wait on a scripted cancel or once the wait is over, and follows the
// busy state.
#include "tests/support/recording_reporter.h"

#include <gtest/gtest.h>

#include "platform/user_interface.h"

namespace mox::test {
namespace {

TEST(RecordingReporterTest, RecordsAndAnswersFromItsScript) {
  RecordingReporter report;
  report.Warning("em:point 9 undefined, line ignored.");
  EXPECT_FALSE(report.Question("invalid Chinese character code ignored"));
  report.AnswerNext(platform::kAnswerYes);
  EXPECT_TRUE(report.Question("Cannot open TrueType font"));
  EXPECT_EQ(report.Boxes.size(), 2u);
  EXPECT_EQ(report.Captions.size(), 1u);

  int polls = 0;
  EXPECT_TRUE(report.WaitFor("Making fonts", "MAKEPK", "Cancel", [&] { return ++polls == 3; }));
  report.AnswerNext(platform::kAnswerCancel);
  EXPECT_FALSE(report.WaitFor("Making fonts", "MAKEPK", "Cancel", [] { return false; }));

  {
    BusyWhile outer(report);
    BusyWhile inner(report);
    EXPECT_EQ(report.BusyDepth, 2);
  }
  EXPECT_EQ(report.BusyDepth, 0);
}

}  // namespace
}  // namespace mox::test
