// The system's find and replace dialogs, modeless: the text and options
// they hold stay with this object between showings, and the message loop
// gives them their keys while they are open. The owner receives the
// registered message FindReplaceMessage() for every button pressed.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

namespace mox::win {

class TFindReplaceDialog {
 public:
  // A find dialog, or a replace dialog; both start searching down with
  // the other options off.
  explicit TFindReplaceDialog(bool replace);
  ~TFindReplaceDialog();
  TFindReplaceDialog(const TFindReplaceDialog&) = delete;
  TFindReplaceDialog& operator=(const TFindReplaceDialog&) = delete;

  static UINT FindReplaceMessage();

  // Shows the dialog owned by owner (brought to the front when open).
  void Show(HWND owner);
  void Close();
  bool IsOpen() const { return dialog_ != nullptr; }
  // Whether a FindReplaceMessage came from this dialog; one that says the
  // dialog closed is taken here.
  bool Owns(LPARAM message_lparam);

  std::u16string FindWhat() const;
  std::u16string ReplaceWith() const;
  DWORD Flags() const { return data_.Flags; }

 private:
  bool replace_;
  FINDREPLACEW data_{};
  wchar_t find_[256] = L"";
  wchar_t replacement_[256] = L"";
  HWND dialog_ = nullptr;
};

}  // namespace mox::win
