#include "platform/win32/framework/drive_box.h"

#include <cwctype>
#include <string>

#include "platform/win32/system_string.h"

namespace mox::win {
namespace {

// "c:", with the volume label of a fixed or RAM disk. Removable, optical
// and network drives are not asked: an empty floppy drive or a lost server
// would keep the box waiting, or the system would ask for a disk.
std::wstring DriveText(wchar_t letter) {
  std::wstring text{static_cast<wchar_t>(std::towlower(letter)), L':'};
  const std::wstring root{letter, L':', L'\\'};
  const UINT type = GetDriveTypeW(root.c_str());
  if (type != DRIVE_FIXED && type != DRIVE_RAMDISK) return text;
  // A volume label is short; the call takes at most 261 characters.
  wchar_t label[261] = L"";
  const UINT old_mode = SetErrorMode(SEM_FAILCRITICALERRORS);
  const BOOL known = GetVolumeInformationW(root.c_str(), label, 261, nullptr, nullptr,
                                           nullptr, nullptr, 0);
  SetErrorMode(old_mode);
  if (known && label[0] != L'\0') text += L" [" + std::wstring(label) + L"]";
  return text;
}

}  // namespace

bool TDriveBox::Create(HWND parent, int id, const RECT& box, HFONT font) {
  // The height of a combo box includes its drop-down list.
  box_ = CreateWindowExW(0, L"COMBOBOX", nullptr,
                         WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, box.left, box.top,
                         box.right, box.bottom + 200, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
  if (box_ == nullptr) return false;
  SendMessageW(box_, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  Fill();
  return true;
}

void TDriveBox::Fill() {
  const wchar_t chosen = Drive();
  SendMessageW(box_, CB_RESETCONTENT, 0, 0);
  const DWORD drives = GetLogicalDrives();
  for (int bit = 0; bit < 26; ++bit) {
    if ((drives & (1u << bit)) == 0) continue;
    const auto letter = static_cast<wchar_t>(L'A' + bit);
    const LRESULT at = SendMessageW(box_, CB_ADDSTRING, 0,
                                    reinterpret_cast<LPARAM>(DriveText(letter).c_str()));
    if (at >= 0) SendMessageW(box_, CB_SETITEMDATA, at, letter);
  }
  if (chosen == 0 || !SetDrive(chosen)) {
    // The drive of the current folder, as a new box starts.
    const std::wstring current = platform::CurrentDirectory();
    if (current.size() >= 2 && current[1] == L':') SetDrive(current[0]);
  }
}

wchar_t TDriveBox::Drive() const {
  const LRESULT at = SendMessageW(box_, CB_GETCURSEL, 0, 0);
  if (at < 0) return 0;
  return static_cast<wchar_t>(SendMessageW(box_, CB_GETITEMDATA, at, 0));
}

bool TDriveBox::SetDrive(wchar_t letter) {
  letter = static_cast<wchar_t>(std::towupper(letter));
  const LRESULT count = SendMessageW(box_, CB_GETCOUNT, 0, 0);
  for (LRESULT at = 0; at < count; ++at) {
    if (static_cast<wchar_t>(SendMessageW(box_, CB_GETITEMDATA, at, 0)) == letter) {
      SendMessageW(box_, CB_SETCURSEL, at, 0);
      return true;
    }
  }
  return false;
}

}  // namespace mox::win
