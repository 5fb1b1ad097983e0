#include "platform/win32/framework/input_dialog.h"

#include "platform/win32/framework/framework_ids.h"
#include "platform/win32/wide_text.h"

namespace mox::win {

TInputDialog::TInputDialog(HWND parent, std::string title, std::string prompt,
                           std::string* text, std::size_t buffer_size)
    : TDialog(parent, MOX_INPUT_DIALOG), title_(std::move(title)),
      prompt_(std::move(prompt)) {
  TransferText(MOX_INPUT_EDIT, text, buffer_size);
}

void TInputDialog::SetupWindow() {
  SetWindowTextW(Handle(), platform::Widen(title_).c_str());
  SetItemText(MOX_INPUT_PROMPT, prompt_);
  SendDlgItemMessageW(Handle(), MOX_INPUT_EDIT, EM_SETSEL, 0, -1);
}

}  // namespace mox::win
