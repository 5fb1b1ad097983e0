#include "platform/win32/framework/modeless_dialog.h"

#include "platform/win32/framework/application.h"

namespace mox::win {

TModelessDialog::TModelessDialog(HWND owner, int template_id)
    : TDialogWindow(owner, MAKEINTRESOURCEW(template_id)) {}

TModelessDialog::TModelessDialog(HWND owner, std::vector<WORD> memory_template)
    : TDialogWindow(owner, std::move(memory_template)) {}

TModelessDialog::~TModelessDialog() {
  if (Handle() != nullptr) DestroyWindow(Handle());
}

bool TModelessDialog::Create() {
  if (Handle() != nullptr) return true;
  const HWND created = CreateModeless();
  if (created == nullptr) return false;
  AddModelessDialog(created);
  return true;
}

void TModelessDialog::Show() {
  if (Handle() == nullptr && !Create()) return;
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
}

void TModelessDialog::Hide() {
  if (Handle() != nullptr) ShowWindow(Handle(), SW_HIDE);
}

bool TModelessDialog::Command(int id, int) {
  if (id == IDOK || id == IDCANCEL) {
    Hide();
    return true;
  }
  return false;
}

bool TModelessDialog::Close() {
  Hide();  // closing only hides
  return true;
}

void TModelessDialog::Destroyed() { RemoveModelessDialog(Handle()); }

}  // namespace mox::win
