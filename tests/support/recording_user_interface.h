// A user interface for tests: remembers every box and caption and answers
// boxes from a script (OK or No when the script is empty).
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/user_interface.h"

namespace mox::test {

struct RecordedBox {
  std::string Text;
  std::string Caption;
  unsigned Style;
};

// The texts of the boxes.
inline std::vector<std::string> BoxTexts(const std::vector<RecordedBox>& boxes) {
  std::vector<std::string> texts;
  for (const RecordedBox& box : boxes) texts.push_back(box.Text);
  return texts;
}

// The text of the one box expected (a failure shows one).
inline std::string OnlyBoxText(const std::vector<RecordedBox>& boxes) {
  EXPECT_EQ(boxes.size(), 1u);
  return boxes.empty() ? std::string() : boxes.back().Text;
}

class RecordingUserInterface final : public platform::UserInterface {
 public:
  // Installs itself for the lifetime of the object.
  RecordingUserInterface();
  ~RecordingUserInterface() override;

  int ShowBox(std::string_view text, std::string_view caption,
              unsigned style) override;
  void SetCaption(std::string_view text) override;
  // Recorded as a box of style kBoxOkCancel; an answer kAnswerCancel next in
  // the script cancels at once, else the wait lasts until `ended`.
  bool WaitFor(std::string_view text, std::string_view caption, std::string_view cancel,
               const std::function<bool()>& ended) override;

  void AnswerNext(int answer) { answers_.push_back(answer); }

  std::vector<RecordedBox> Boxes;
  std::vector<std::string> Captions;

 private:
  std::deque<int> answers_;
  platform::UserInterface* previous_;
};

}  // namespace mox::test
