#include "frontend/core/build_saving.h"

#include "frontend/core/frame_files.h"
#include "platform/user_interface.h"

namespace mox::varelo {

BuildSaving SaveForBuild(Editor& active, const std::vector<Editor*>& others) {
  if (active.IsModified() || !active.HasFile()) {
    if (!active.Save()) return active.HasFile() ? BuildSaving::Cancelled : BuildSaving::NoFile;
  }
  std::vector<Editor*> modified;
  for (Editor* other : others) {
    if (other != &active && other->IsModified()) modified.push_back(other);
  }
  if (modified.empty()) return BuildSaving::Ready;
  std::string list;
  for (const Editor* other : modified) list += "\n    " + other->DisplayName();
  const int answer = platform::Ui().ShowBox(
      "这些窗口的文本改动了, 还没有保存:" + list + "\n编译前保存它们吗?", "保存",
      platform::kBoxYesNoCancel | platform::kBoxIconQuestion);
  if (answer == platform::kAnswerCancel) return BuildSaving::Cancelled;
  if (answer == platform::kAnswerYes) {
    for (Editor* other : modified) {
      if (!other->Save()) return BuildSaving::Cancelled;
    }
  }
  return BuildSaving::Ready;
}

}  // namespace mox::varelo
