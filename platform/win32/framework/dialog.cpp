#include "platform/win32/framework/dialog.h"

#include "platform/text_format.h"
#include "platform/win32/wide_text.h"

namespace mox::win {

TDialog::TDialog(HWND parent, const wchar_t* template_name)
    : parent_(parent), template_(template_name) {}

TDialog::TDialog(HWND parent, int template_id)
    : parent_(parent), template_(MAKEINTRESOURCEW(template_id)) {}

INT_PTR TDialog::Execute() {
  return DialogBoxParamW(GetModuleHandleW(nullptr), template_, parent_,
                         &TDialog::DialogProcedure, reinterpret_cast<LPARAM>(this));
}

void TDialog::TransferText(int control_id, std::string* text, std::size_t limit) {
  bindings_.push_back({control_id, text, limit, nullptr});
}

void TDialog::TransferCheck(int control_id, bool* checked) {
  bindings_.push_back({control_id, nullptr, 0, checked});
}

void TDialog::SetItemText(int control_id, const std::string& text) {
  SetDlgItemTextW(hwnd_, control_id, platform::Widen(text).c_str());
}

std::string TDialog::ItemText(int control_id) const {
  const HWND control = GetDlgItem(hwnd_, control_id);
  if (control == nullptr) return {};
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  const int length = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return platform::Narrow(text);
}

void TDialog::TransferIn() {
  for (const Binding& binding : bindings_) {
    if (binding.Text != nullptr) {
      SetItemText(binding.ControlId, *binding.Text);
    } else if (binding.Checked != nullptr) {
      CheckDlgButton(hwnd_, binding.ControlId, *binding.Checked ? BST_CHECKED : BST_UNCHECKED);
    }
  }
}

void TDialog::TransferOut() {
  for (const Binding& binding : bindings_) {
    if (binding.Text != nullptr) {
      *binding.Text = ItemText(binding.ControlId);
      if (binding.Limit > 0) TruncateGbk(*binding.Text, binding.Limit - 1);
    } else if (binding.Checked != nullptr) {
      *binding.Checked = IsDlgButtonChecked(hwnd_, binding.ControlId) == BST_CHECKED;
    }
  }
}

INT_PTR TDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_COMMAND) {
    const int id = LOWORD(wparam);
    if (id == IDOK) {
      if (!CanClose()) return TRUE;
      TransferOut();
      EndDialog(hwnd_, IDOK);
      return TRUE;
    }
    if (id == IDCANCEL) {
      EndDialog(hwnd_, IDCANCEL);
      return TRUE;
    }
  }
  return FALSE;
}

INT_PTR CALLBACK TDialog::DialogProcedure(HWND hwnd, UINT message, WPARAM wparam,
                                          LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<TDialog*>(lparam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
    self->hwnd_ = hwnd;
    self->TransferIn();
    self->SetupWindow();
    return TRUE;
  }
  auto* self = reinterpret_cast<TDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  const INT_PTR handled = self->HandleMessage(message, wparam, lparam);
  if (message == WM_NCDESTROY) self->hwnd_ = nullptr;
  return handled;
}

}  // namespace mox::win
