#include "previewer/startup/box_reporter.h"

#include <string>

#include "platform/text_format.h"
#include "platform/user_interface.h"
#include "previewer/startup/startup_texts.h"

namespace mox {

void BoxReporter::Error(std::string_view text) {
  ShowBox(text, Say(kErrorCaption), platform::kBoxOk | platform::kBoxIconInformation);
}

std::string BoxReporter::WarningLine(std::string_view text) const {
  std::string line = Format(Say(kWarningLine), std::string(text).c_str());
  TruncateGbk(line, kWarningBufferSize - 1);
  return line;
}

void BoxReporter::Warning(std::string_view text) { Status(WarningLine(text)); }

bool BoxReporter::Question(std::string_view text) {
  const std::string question =
      Format("%s\n\n%s", WarningLine(text).c_str(), Say(kContinueQuestion));
  return ShowBox(question, Say(kWarningCaption),
                      platform::kBoxYesNo | platform::kBoxIconQuestion) == platform::kAnswerYes;
}

void BoxReporter::Notice(std::string_view text, std::string_view caption, bool warning) {
  ShowBox(text, caption, platform::kBoxOk | (warning ? platform::kBoxIconWarning : 0u));
}

void BoxReporter::Status(std::string_view line) { SetCaption(line); }

bool BoxReporter::WaitFor(std::string_view text, std::string_view caption,
                          std::string_view cancel, const std::function<bool()>& ended) {
  return platform::Ui().WaitFor(text, caption, cancel, ended);
}

int BoxReporter::ShowBox(std::string_view text, std::string_view caption, unsigned style) {
  return platform::Ui().ShowBox(text, caption, style);
}

void BoxReporter::SetCaption(std::string_view line) { platform::Ui().SetCaption(line); }

}  // namespace mox
