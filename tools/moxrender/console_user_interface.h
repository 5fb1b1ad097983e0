// The user interface of the command-line tools: messages go to standard
// error in the chosen language, status lines only when asked for, and a
// question is answered Yes (or No when the tool runs strictly).
#pragma once

#include "platform/user_interface.h"

namespace mox {

class ConsoleUserInterface final : public platform::UserInterface {
 public:
  ConsoleUserInterface(bool verbose, bool strict) : verbose_(verbose), strict_(strict) {}

  int ShowBox(std::string_view text, std::string_view caption, unsigned style) override;
  void SetCaption(std::string_view text) override;
  // Says what is waited for (the first paragraph of the text: there is no
  // button to press here) and waits.
  bool WaitFor(std::string_view text, std::string_view caption, std::string_view cancel,
               const std::function<bool()>& ended) override;

 private:
  bool verbose_;
  bool strict_;
};

}  // namespace mox
