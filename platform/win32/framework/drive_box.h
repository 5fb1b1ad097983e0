// The drive box: a drop-down list of the system's drives, each shown as its
// letter and, for a fixed disk, its volume label ("c: [SYSTEM]"). The owner
// hears CBN_SELCHANGE through WM_COMMAND and asks for the drive.
#pragma once

#include <windows.h>

namespace mox::win {

class TDriveBox {
 public:
  // box: x, y, width, height of the closed box in the parent's client area.
  bool Create(HWND parent, int id, const RECT& box, HFONT font);
  HWND Handle() const { return box_; }
  // Reads the drives again, keeping the chosen one when it still exists.
  void Fill();
  // The chosen drive's letter (upper case), or 0.
  wchar_t Drive() const;
  // Chooses the drive of that letter; false when there is none.
  bool SetDrive(wchar_t letter);

 private:
  HWND box_ = nullptr;
};

}  // namespace mox::win
