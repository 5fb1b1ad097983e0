// The common file-open dialog with the data a window keeps for it between
// uses. Texts are GBK; the filter is written as "Name|pattern|...||".
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace mox::win {

struct FileDialogData {
  DWORD Flags = 0;
  std::string Filter;
  std::string InitialDirectory;
  std::string DefaultExtension;
  // The name the dialog starts with; empty for none.
  std::string FileName;
};

// The chosen path, or nothing when the user cancels.
std::optional<std::string> RunOpenFileDialog(HWND owner, const FileDialogData& data,
                                             const std::string& title);
// The same with the system's save dialog.
std::optional<std::string> RunSaveFileDialog(HWND owner, const FileDialogData& data,
                                             const std::string& title);

}  // namespace mox::win
