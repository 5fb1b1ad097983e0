// The folder list: the folders of the current path from the root down, as
// open folders, then the current folder's subfolders, as closed ones. A
// double-click (which the owner hears as LBN_DBLCLK and passes to
// OpenSelected) makes the folder under the pointer the current one. The
// owner passes WM_DRAWITEM for the list to DrawItem.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/dpi_scale.h"
#include "platform/folder_lines.h"

namespace mox::win {

class TFolderList {
 public:
  // box: x, y, width, height in the parent's client area, in pixels; the
  // lines and their pictures drawn for `dpi`.
  bool Create(HWND parent, int id, const RECT& box, HFONT font, int dpi);
  // The lines' font and DPI, their height following.
  void SetFont(HFONT font, int dpi);
  HWND Handle() const { return list_; }

  // Shows the folder (a full path); false, the list unchanged, when it is
  // no folder that can be read.
  bool SetFolder(const std::wstring& folder);
  const std::wstring& Folder() const { return folder_; }
  // Makes the selected line's folder the current one; false when nothing
  // changed.
  bool OpenSelected();

  // Draws one line; false when the item is not this list's.
  bool DrawItem(const DRAWITEMSTRUCT& item) const;

 private:
  HWND list_ = nullptr;
  int dpi_ = platform::kBaseDpi;
  std::wstring folder_;
  std::vector<platform::FolderLine> lines_;
};

}  // namespace mox::win
