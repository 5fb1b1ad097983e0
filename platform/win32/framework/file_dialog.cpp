#include "platform/win32/framework/file_dialog.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "platform/win32/wide_text.h"

namespace mox::win {

namespace {

std::optional<std::string> RunFileDialog(HWND owner, const FileDialogData& data,
                                         const std::string& title, bool save) {
  // The dialog wants the filter's parts separated by zero characters.
  std::wstring filter = platform::Widen(data.Filter);
  for (wchar_t& c : filter) {
    if (c == L'|') c = L'\0';
  }
  filter.push_back(L'\0');
  const std::wstring directory = platform::Widen(data.InitialDirectory);
  const std::wstring extension = platform::Widen(data.DefaultExtension);
  const std::wstring caption = platform::Widen(title);
  // Room for the preset name and a long path; a name longer still makes the
  // dialog say how much it needs, and it opens again with that much.
  const std::wstring preset = platform::Widen(data.FileName);
  std::vector<wchar_t> path(std::max<std::size_t>(preset.size() + 1, 1024), L'\0');
  std::copy(preset.begin(), preset.end(), path.begin());

  OPENFILENAMEW open{};
  open.lStructSize = sizeof open;
  open.hwndOwner = owner;
  open.lpstrFilter = filter.c_str();
  open.nFilterIndex = 1;
  open.lpstrFile = path.data();
  open.nMaxFile = static_cast<DWORD>(path.size());
  open.lpstrInitialDir = directory.empty() ? nullptr : directory.c_str();
  open.lpstrTitle = caption.c_str();
  open.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  open.Flags = data.Flags;
  while (!(save ? GetSaveFileNameW(&open) : GetOpenFileNameW(&open))) {
    if (CommDlgExtendedError() != FNERR_BUFFERTOOSMALL || path.size() >= 1 << 16) {
      return std::nullopt;
    }
    // The buffer's first character holds the size it needs.
    const std::size_t needed = std::max<std::size_t>(path[0] + 1u, path.size() * 2);
    path.assign(needed, L'\0');
    std::copy(preset.begin(), preset.end(), path.begin());
    open.lpstrFile = path.data();
    open.nMaxFile = static_cast<DWORD>(path.size());
  }
  return platform::Narrow(path.data());
}

}  // namespace

std::optional<std::string> RunOpenFileDialog(HWND owner, const FileDialogData& data,
                                             const std::string& title) {
  return RunFileDialog(owner, data, title, false);
}

std::optional<std::string> RunSaveFileDialog(HWND owner, const FileDialogData& data,
                                             const std::string& title) {
  return RunFileDialog(owner, data, title, true);
}

}  // namespace mox::win
