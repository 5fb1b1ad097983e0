#include "platform/win32/framework/find_replace_dialog.h"

#include "platform/win32/framework/application.h"

namespace mox::win {

TFindReplaceDialog::TFindReplaceDialog(bool replace) : replace_(replace) {
  data_.lStructSize = sizeof data_;
  data_.Flags = FR_DOWN;
  data_.lpstrFindWhat = find_;
  data_.wFindWhatLen = sizeof find_ / sizeof find_[0];
  data_.lpstrReplaceWith = replacement_;
  data_.wReplaceWithLen = sizeof replacement_ / sizeof replacement_[0];
}

TFindReplaceDialog::~TFindReplaceDialog() { Close(); }

UINT TFindReplaceDialog::FindReplaceMessage() {
  static const UINT message = RegisterWindowMessageW(FINDMSGSTRINGW);
  return message;
}

void TFindReplaceDialog::Show(HWND owner) {
  if (dialog_ != nullptr) {
    ShowWindow(dialog_, SW_SHOW);
    SetForegroundWindow(dialog_);
    return;
  }
  data_.hwndOwner = owner;
  // The flags of the last use without the button that was pressed then.
  data_.Flags &= ~(FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL | FR_DIALOGTERM);
  dialog_ = replace_ ? ReplaceTextW(&data_) : FindTextW(&data_);
  AddModelessDialog(dialog_);
}

void TFindReplaceDialog::Close() {
  if (dialog_ == nullptr) return;
  RemoveModelessDialog(dialog_);
  const HWND dialog = dialog_;
  dialog_ = nullptr;
  DestroyWindow(dialog);
}

bool TFindReplaceDialog::Owns(LPARAM message_lparam) {
  if (reinterpret_cast<FINDREPLACEW*>(message_lparam) != &data_) return false;
  if ((data_.Flags & FR_DIALOGTERM) != 0 && dialog_ != nullptr) {
    RemoveModelessDialog(dialog_);
    dialog_ = nullptr;
  }
  return true;
}

std::u16string TFindReplaceDialog::FindWhat() const {
  return std::u16string(reinterpret_cast<const char16_t*>(find_));
}

std::u16string TFindReplaceDialog::ReplaceWith() const {
  return std::u16string(reinterpret_cast<const char16_t*>(replacement_));
}

}  // namespace mox::win
