#include "tests/support/recording_user_interface.h"

namespace mox::test {

RecordingUserInterface::RecordingUserInterface()
    : previous_(platform::SetUi(this)) {}

RecordingUserInterface::~RecordingUserInterface() { platform::SetUi(previous_); }

int RecordingUserInterface::ShowBox(std::string_view text, std::string_view caption,
                                    unsigned style) {
  Boxes.push_back({std::string(text), std::string(caption), style});
  if (!answers_.empty()) {
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  return (style & 0x000F) == platform::kBoxYesNo ? platform::kAnswerNo
                                                  : platform::kAnswerOk;
}

bool RecordingUserInterface::WaitFor(std::string_view text, std::string_view caption,
                                     std::string_view cancel,
                                     const std::function<bool()>& ended) {
  Boxes.push_back({std::string(text), std::string(caption), platform::kBoxOkCancel});
  if (!answers_.empty() && answers_.front() == platform::kAnswerCancel) {
    answers_.pop_front();
    return false;
  }
  return UserInterface::WaitFor(text, caption, cancel, ended);
}

void RecordingUserInterface::SetCaption(std::string_view text) {
  Captions.emplace_back(text);
}

}  // namespace mox::test
