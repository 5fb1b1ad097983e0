// The frame's side of the TeX command assistant, the user phrases and the
// structure bar.
#include "frontend/win32/assistant_form.h"
#include "frontend/win32/mdi_frame.h"
#include "frontend/win32/phrase_form.h"

namespace mox::varelo {

void TFrameForm::CreateListDialogs(const std::string& folder) {
  assistant_ = std::make_unique<TplaintexForm>(*this, folder);
  assistant_->Create();
  phrases_ = std::make_unique<Tusermacro>(*this, folder);
  phrases_->Create();
}

void TFrameForm::ShowAssistantAt(std::string_view keyword) {
  if (assistant_) assistant_->ShowAt(keyword);
}

void TFrameForm::StructureButtonClick(const StructureButton& button) {
  if (button.Action == StructureAction::ShowTopic) {
    ShowAssistantAt(button.Argument);
    return;
  }
  // Through the phrase dialog's box, which the text replaces: the clipboard
  // holds it afterwards even with no editor window to paste into.
  if (phrases_) {
    const std::string text(button.Argument);
    InsertViaClipboard(phrases_->InsertionBox(), &text);
  }
}

}  // namespace mox::varelo
