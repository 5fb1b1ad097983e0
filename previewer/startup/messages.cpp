#include "previewer/startup/messages.h"

#include <string>

#include "platform/user_interface.h"
#include "previewer/startup/language.h"
#include "platform/text_format.h"

namespace mox {

using platform::Ui;

int ShowError(std::string_view text) {
  return Ui().ShowBox(text, Tr("错误信息", "Error message"),
                         platform::kBoxOk | platform::kBoxIconInformation);
}

void ShowStatus(std::string_view text) { Ui().SetCaption(text); }

bool ShowWarning(std::string_view text, bool ask) {
  std::string line = Format(Tr("%s", "Warning: %s"), std::string(text).c_str());
  TruncateGbk(line, kWarningBufferSize - 1);
  if (!ask) {
    ShowStatus(line);
    return true;
  }
  const std::string question = Format("%s\n\n%s", line.c_str(), Tr("是否继续?", "Continue?"));
  return Ui().ShowBox(question, Tr("报警", "Warning"),
                      platform::kBoxYesNo | platform::kBoxIconQuestion) ==
         platform::kAnswerYes;
}

}  // namespace mox
