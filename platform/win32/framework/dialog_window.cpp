#include "platform/win32/framework/dialog_window.h"

#include "platform/text_format.h"
#include "platform/win32/framework/window_text.h"
#include "platform/win32/wide_text.h"

namespace mox::win {
namespace {

// The template's own call of the two (modal or modeless): from the
// resources or from memory, with this object as the dialog's.
template <typename FromResource, typename FromMemory>
auto MakeDialog(HWND owner, const wchar_t* name, const std::vector<WORD>& memory,
                DLGPROC procedure, LPARAM self, FromResource from_resource,
                FromMemory from_memory) {
  const HINSTANCE module = GetModuleHandleW(nullptr);
  return memory.empty()
             ? from_resource(module, name, owner, procedure, self)
             : from_memory(module, reinterpret_cast<const DLGTEMPLATE*>(memory.data()), owner,
                           procedure, self);
}

}  // namespace

INT_PTR TDialogWindow::RunModal() {
  return MakeDialog(owner_, template_, memory_template_, &DialogProcedure,
                    reinterpret_cast<LPARAM>(this), DialogBoxParamW, DialogBoxIndirectParamW);
}

HWND TDialogWindow::CreateModeless() {
  return MakeDialog(owner_, template_, memory_template_, &DialogProcedure,
                    reinterpret_cast<LPARAM>(this), CreateDialogParamW,
                    CreateDialogIndirectParamW);
}

void TDialogWindow::TransferText(int control_id, std::string* text, std::size_t limit) {
  bindings_.push_back({.ControlId = control_id, .Text = text, .Limit = limit});
}

void TDialogWindow::TransferCheck(int control_id, bool* checked) {
  bindings_.push_back({.ControlId = control_id, .Checked = checked});
}

void TDialogWindow::TransferListBox(int control_id, ListBoxData* data) {
  bindings_.push_back({.ControlId = control_id, .List = data});
}

void TDialogWindow::TransferComboBox(int control_id, ComboBoxData* data, std::size_t text_limit) {
  bindings_.push_back({.ControlId = control_id, .Limit = text_limit, .Combo = data});
}

bool TDialogWindow::IsMultipleSelection(HWND list) {
  return (GetWindowLongW(list, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

void TDialogWindow::SelectLine(HWND list, int position) {
  if (IsMultipleSelection(list)) {
    SendMessageW(list, LB_SETSEL, TRUE, static_cast<LPARAM>(position));
  } else {
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(position), 0);
  }
}

std::vector<int> TDialogWindow::ListSelection(int control_id) const {
  const HWND list = GetDlgItem(hwnd_, control_id);
  std::vector<int> selected;
  if (list == nullptr) return selected;
  if (IsMultipleSelection(list)) {
    const LRESULT count = SendMessageW(list, LB_GETSELCOUNT, 0, 0);
    if (count > 0) {
      selected.resize(static_cast<std::size_t>(count));
      const LRESULT got = SendMessageW(list, LB_GETSELITEMS, static_cast<WPARAM>(count),
                                       reinterpret_cast<LPARAM>(selected.data()));
      selected.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    }
  } else {
    const LRESULT position = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (position != LB_ERR) selected.push_back(static_cast<int>(position));
  }
  return selected;
}

void TDialogWindow::ReplaceListLine(int control_id, int position, const std::string& text,
                              bool selected) {
  const HWND list = GetDlgItem(hwnd_, control_id);
  if (list == nullptr) return;
  SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(position), 0);
  SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(position),
               reinterpret_cast<LPARAM>(platform::Widen(text).c_str()));
  if (selected) SelectLine(list, position);
}

void TDialogWindow::SetItemText(int control_id, const std::string& text) {
  SetDlgItemTextW(hwnd_, control_id, platform::Widen(text).c_str());
}

std::string TDialogWindow::ItemText(int control_id) const {
  const HWND control = GetDlgItem(hwnd_, control_id);
  if (control == nullptr) return {};
  return WindowText(control);
}

void TDialogWindow::TransferIn() {
  for (const Binding& binding : bindings_) {
    const HWND control = GetDlgItem(hwnd_, binding.ControlId);
    if (binding.List != nullptr && control != nullptr) {
      SendMessageW(control, LB_RESETCONTENT, 0, 0);
      for (const std::string& line : binding.List->Lines) {
        SendMessageW(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::Widen(line).c_str()));
      }
      for (int position : binding.List->Selected) SelectLine(control, position);
    } else if (binding.Combo != nullptr && control != nullptr) {
      SendMessageW(control, CB_RESETCONTENT, 0, 0);
      for (const std::string& entry : binding.Combo->Entries) {
        SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::Widen(entry).c_str()));
      }
      if (binding.Limit > 0) SendMessageW(control, CB_LIMITTEXT, binding.Limit - 1, 0);
      SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(binding.Combo->Selection), 0);
      SetItemText(binding.ControlId, binding.Combo->Text);
    } else if (binding.Text != nullptr) {
      SetItemText(binding.ControlId, *binding.Text);
    } else if (binding.Checked != nullptr) {
      CheckDlgButton(hwnd_, binding.ControlId, *binding.Checked ? BST_CHECKED : BST_UNCHECKED);
    }
  }
}

void TDialogWindow::TransferOut() {
  for (const Binding& binding : bindings_) {
    if (binding.List != nullptr) {
      binding.List->Selected = ListSelection(binding.ControlId);
    } else if (binding.Combo != nullptr) {
      const LRESULT selection = SendDlgItemMessageW(hwnd_, binding.ControlId, CB_GETCURSEL, 0, 0);
      binding.Combo->Selection = selection == CB_ERR ? -1 : static_cast<int>(selection);
      binding.Combo->Text = ItemText(binding.ControlId);
      if (binding.Limit > 0) TruncateGbk(binding.Combo->Text, binding.Limit - 1);
    } else if (binding.Text != nullptr) {
      *binding.Text = ItemText(binding.ControlId);
      if (binding.Limit > 0) TruncateGbk(*binding.Text, binding.Limit - 1);
    } else if (binding.Checked != nullptr) {
      *binding.Checked = IsDlgButtonChecked(hwnd_, binding.ControlId) == BST_CHECKED;
    }
  }
}

INT_PTR CALLBACK TDialogWindow::DialogProcedure(HWND hwnd, UINT message, WPARAM wparam,
                                                LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<TDialogWindow*>(lparam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
    self->hwnd_ = hwnd;
    self->TransferIn();
    self->SetupWindow();
    return TRUE;
  }
  auto* self = reinterpret_cast<TDialogWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  if (message == WM_COMMAND && self->Command(LOWORD(wparam), HIWORD(wparam))) return TRUE;
  if (message == WM_CLOSE && self->Close()) return TRUE;
  const INT_PTR handled = self->HandleMessage(message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    self->Destroyed();
    self->hwnd_ = nullptr;
  }
  return handled;
}

}  // namespace mox::win
