#include "tools/moxrender/console_user_interface.h"

#include <cstdio>
#include <string>

#include "platform/console_text.h"

namespace mox {

int ConsoleUserInterface::ShowBox(std::string_view text, std::string_view caption,
                                  unsigned style) {
  // The text says everything; captions ("Error message", "Warning") would
  // only repeat the warning's own prefix.
  (void)caption;
  std::string line(text);
  const bool question = (style & 0x000F) == platform::kBoxYesNo;
  if (question) line.append(strict_ ? " [No]" : " [Yes]");
  line.push_back('\n');
  platform::WriteConsoleText(stderr, line);
  if (!question) return platform::kAnswerOk;
  return strict_ ? platform::kAnswerNo : platform::kAnswerYes;
}

bool ConsoleUserInterface::WaitFor(std::string_view text, std::string_view caption,
                                   std::string_view cancel,
                                   const std::function<bool()>& ended) {
  std::string line(text.substr(0, text.find("\n\n")));
  line.push_back('\n');
  platform::WriteConsoleText(stderr, line);
  return UserInterface::WaitFor(text, caption, cancel, ended);
}

void ConsoleUserInterface::SetCaption(std::string_view text) {
  if (!verbose_) return;
  std::string line(text);
  while (!line.empty() && line.back() == ' ') line.pop_back();
  line.push_back('\n');
  platform::WriteConsoleText(stderr, line);
}

}  // namespace mox
