#include "platform/win32/framework/modeless_dialog.h"

#include "platform/win32/framework/application.h"
#include "platform/win32/wide_text.h"

namespace mox::win {

TModelessDialog::TModelessDialog(HWND owner, int template_id)
    : owner_(owner), template_id_(template_id) {}

TModelessDialog::TModelessDialog(HWND owner, std::vector<WORD> memory_template)
    : owner_(owner), memory_template_(std::move(memory_template)) {}

TModelessDialog::~TModelessDialog() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

bool TModelessDialog::Create() {
  if (hwnd_ != nullptr) return true;
  const LPARAM self = reinterpret_cast<LPARAM>(this);
  const HWND created =
      memory_template_.empty()
          ? CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(template_id_), owner_,
                               &TModelessDialog::DialogProcedure, self)
          : CreateDialogIndirectParamW(
                GetModuleHandleW(nullptr),
                reinterpret_cast<const DLGTEMPLATE*>(memory_template_.data()), owner_,
                &TModelessDialog::DialogProcedure, self);
  if (created == nullptr) return false;
  AddModelessDialog(created);
  return true;
}

void TModelessDialog::Show() {
  if (hwnd_ == nullptr && !Create()) return;
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void TModelessDialog::Hide() {
  if (hwnd_ != nullptr) ShowWindow(hwnd_, SW_HIDE);
}

void TModelessDialog::SetItemText(int control_id, const std::string& text) {
  SetDlgItemTextW(hwnd_, control_id, platform::Widen(text).c_str());
}

bool TModelessDialog::Command(int id, int) {
  if (id == IDOK || id == IDCANCEL) {
    Hide();
    return true;
  }
  return false;
}

INT_PTR TModelessDialog::HandleMessage(UINT, WPARAM, LPARAM) { return FALSE; }

INT_PTR CALLBACK TModelessDialog::DialogProcedure(HWND hwnd, UINT message, WPARAM wparam,
                                                  LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<TModelessDialog*>(lparam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
    self->hwnd_ = hwnd;
    self->SetupWindow();
    return TRUE;
  }
  auto* self = reinterpret_cast<TModelessDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  if (message == WM_COMMAND) {
    return self->Command(LOWORD(wparam), HIWORD(wparam)) ? TRUE : FALSE;
  }
  if (message == WM_CLOSE) {
    self->Hide();  // closing only hides
    return TRUE;
  }
  if (message == WM_NCDESTROY) {
    RemoveModelessDialog(hwnd);
    self->hwnd_ = nullptr;
    return FALSE;
  }
  return self->HandleMessage(message, wparam, lparam);
}

}  // namespace mox::win
