// What a frame asks of the commands it shows, in both programs: whether a
// command can run now (its menu item and button are greyed otherwise),
// whether a choice is checked, and the hint of its button. The programs'
// portable command logic answers; the frames only ask.
#pragma once

#include <optional>
#include <string>

namespace mox::platform {

class CommandStates {
 public:
  virtual ~CommandStates() = default;
  virtual bool IsEnabled(int id) const = 0;
  // Nothing for a command that is no choice.
  virtual std::optional<bool> IsChecked(int) const { return std::nullopt; }
  // GBK; empty for none.
  virtual std::string HintOf(int) const { return {}; }
};

}  // namespace mox::platform
