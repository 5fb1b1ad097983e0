// The lines of a folder list: the folders of the current path from its root
// down, each one step deeper than the one before, then the subfolders of the
// current folder one step deeper still. Windows paths in UTF-16, as the
// folder list window shows them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mox::platform {

struct FolderLine {
  std::wstring Text;  // "C:\\" for a root, else the folder's own name
  std::wstring Path;  // the folder the line stands for
  int Depth = 0;      // steps of indentation
  bool Open = false;  // a folder of the current path (not a subfolder)
};

// The folders from the root of path down to path itself: "C:\\a\\b" gives
// "C:\\", "C:\\a", "C:\\a\\b". "/" counts as "\\", repeated and trailing
// separators are dropped; a UNC path's root is "\\\\server\\share\\". Empty
// for a path without a root (a relative one), which a list cannot show.
std::vector<std::wstring> FolderChain(std::wstring_view path);

// The list for the current folder and the names of its subfolders (in any
// order; shown sorted without regard to case, "." and ".." left out).
// Empty when the folder has no root.
std::vector<FolderLine> FolderListLines(std::wstring_view folder,
                                        std::vector<std::wstring> subfolders);

// The index of the line of the current folder (the last open one), or -1.
int CurrentFolderLine(const std::vector<FolderLine>& lines);

}  // namespace mox::platform
