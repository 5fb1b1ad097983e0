#include "previewer/shell/commands.h"

#include "previewer/shell/command_model.h"
#include "previewer/shell/page_view.h"

namespace mox {

bool IsDocumentCommand(int id) {
  const PreviewerCommand* command = FindPreviewerCommand(id);
  return command != nullptr && command->NeedsDocument;
}

bool IsCommandEnabled(int id, bool document_open) {
  return document_open || !IsDocumentCommand(id);
}

bool PreviewerCommandStates::IsEnabled(int id) const {
  return IsCommandEnabled(id, view_.IsDocumentOpen());
}

std::optional<bool> PreviewerCommandStates::IsChecked(int id) const {
  if (EnglishCommandId(id) != CM_CONTINUOUS) return std::nullopt;
  return view_.Settings().ContinuousPages;
}

std::string PreviewerCommandStates::HintOf(int id) const { return PreviewerHintOf(id); }

}  // namespace mox
