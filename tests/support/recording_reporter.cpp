#include "tests/support/recording_reporter.h"

#include <chrono>
#include <thread>

#include "platform/user_interface.h"

namespace mox::test {

int RecordingReporter::ShowBox(std::string_view text, std::string_view caption, unsigned style) {
  Boxes.push_back({std::string(text), std::string(caption), style});
  if (!answers_.empty()) {
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  return (style & 0x000F) == platform::kBoxYesNo ? platform::kAnswerNo : platform::kAnswerOk;
}

bool RecordingReporter::WaitFor(std::string_view text, std::string_view caption,
                                std::string_view, const std::function<bool()>& ended) {
  Boxes.push_back({std::string(text), std::string(caption), platform::kBoxOkCancel});
  if (!answers_.empty() && answers_.front() == platform::kAnswerCancel) {
    answers_.pop_front();
    return false;
  }
  while (!ended()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return true;
}

void RecordingReporter::Busy(bool busy) { BusyDepth += busy ? 1 : -1; }

}  // namespace mox::test
