#include "platform/win32/framework/dialog.h"

namespace mox::win {

TDialog::TDialog(HWND parent, const wchar_t* template_name)
    : TDialogWindow(parent, template_name) {}

TDialog::TDialog(HWND parent, int template_id)
    : TDialogWindow(parent, MAKEINTRESOURCEW(template_id)) {}

INT_PTR TDialog::Execute() { return RunModal(); }

void TDialog::EndWith(INT_PTR result) {
  TransferOut();
  EndDialog(Handle(), result);
}

INT_PTR TDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_COMMAND) {
    const int id = LOWORD(wparam);
    if (id == IDOK) {
      if (!CanClose()) return TRUE;
      EndWith(IDOK);
      return TRUE;
    }
    if (id == IDCANCEL) {
      EndDialog(Handle(), IDCANCEL);
      return TRUE;
    }
  }
  return FALSE;
}

}  // namespace mox::win
