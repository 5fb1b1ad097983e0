#include "previewer/shell/command_model.h"

#include "previewer/shell/command_texts.h"
#include "previewer/shell/commands.h"

namespace mox {

std::span<const PreviewerCommand> PreviewerCommands() { return kPreviewerCommands; }

std::span<const PreviewerMenu> PreviewerMenus() { return kPreviewerMenus; }

std::vector<int> ItemsOf(const PreviewerMenu& menu) {
  std::vector<int> items;
  for (int id : menu.Items) {
    if (id == 0) break;
    items.push_back(id);
  }
  return items;
}

const PreviewerCommand* FindPreviewerCommand(int id) {
  const int english = EnglishCommandId(id);
  for (const PreviewerCommand& command : kPreviewerCommands) {
    if (command.Id == english) return &command;
  }
  return nullptr;
}

}  // namespace mox
