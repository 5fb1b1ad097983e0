// The reporter of documents under test: says everything as the window
// would (the same texts, captions and box styles), but records the boxes
// and caption lines instead of showing them, answers questions from a
// script (No when the script is empty, or OK for a box without a choice)
// and follows the busy state.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "previewer/startup/box_reporter.h"
#include "tests/support/recording_user_interface.h"  // RecordedBox

namespace mox::test {

class RecordingReporter final : public BoxReporter {
 public:
  explicit RecordingReporter(Language language = Language::English) : BoxReporter(language) {}

  // A wait for a program is recorded as a box of style kBoxOkCancel; an
  // answer kAnswerCancel next in the script cancels it at once, else the
  // wait lasts until `ended`.
  bool WaitFor(std::string_view text, std::string_view caption, std::string_view cancel,
               const std::function<bool()>& ended) override;
  void Busy(bool busy) override;

  // The answer to the next box that asks (platform::kAnswerYes, ...).
  void AnswerNext(int answer) { answers_.push_back(answer); }

  std::vector<RecordedBox> Boxes;
  std::vector<std::string> Captions;  // status lines and warnings
  int BusyDepth = 0;                  // Busy(true) less Busy(false)

 protected:
  int ShowBox(std::string_view text, std::string_view caption, unsigned style) override;
  void SetCaption(std::string_view line) override { Captions.emplace_back(line); }

 private:
  std::deque<int> answers_;
};

}  // namespace mox::test
