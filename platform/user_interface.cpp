#include "platform/user_interface.h"

#include <chrono>
#include <thread>

namespace mox::platform {
namespace {

class SilentUserInterface final : public UserInterface {
 public:
  int ShowBox(std::string_view, std::string_view, unsigned style) override {
    return (style & 0x000F) == kBoxYesNo ? kAnswerNo : kAnswerOk;
  }
  void SetCaption(std::string_view) override {}
};

SilentUserInterface g_silent;
UserInterface* g_current = &g_silent;

}  // namespace

bool UserInterface::WaitFor(std::string_view, std::string_view, std::string_view,
                            const std::function<bool()>& ended) {
  while (!ended()) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  return true;
}

UserInterface& Ui() { return *g_current; }

UserInterface* SetUi(UserInterface* ui) {
  UserInterface* before = g_current == &g_silent ? nullptr : g_current;
  g_current = ui != nullptr ? ui : &g_silent;
  return before;
}

}  // namespace mox::platform
