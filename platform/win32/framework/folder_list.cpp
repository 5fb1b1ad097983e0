#include "platform/win32/framework/folder_list.h"

#include <memory>

#include "platform/win32/gdi.h"
#include "platform/win32/system_string.h"

namespace mox::win {
namespace {

constexpr int kIndent = 10;      // pixels per step of depth
constexpr int kGlyphWidth = 16;  // the folder picture and its margin

struct FindCloser {
  void operator()(HANDLE find) const { FindClose(find); }
};
using FindHandle = std::unique_ptr<void, FindCloser>;

std::wstring WithSeparator(const std::wstring& folder) {
  return !folder.empty() && folder.back() == L'\\' ? folder : folder + L"\\";
}

// The names of the folder's subfolders, hidden and system ones left out as
// the file explorer does; false when the folder cannot be read.
bool ReadSubfolders(const std::wstring& folder, std::vector<std::wstring>& names) {
  WIN32_FIND_DATAW found{};
  const std::wstring pattern = WithSeparator(folder) + L"*";
  const UINT old_mode = SetErrorMode(SEM_FAILCRITICALERRORS);  // no "insert a disk" box
  FindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &found,
                                   FindExSearchLimitToDirectories, nullptr, 0));
  SetErrorMode(old_mode);
  if (find.get() == INVALID_HANDLE_VALUE) {
    find.release();
    return false;
  }
  do {
    const DWORD skipped = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
        (found.dwFileAttributes & skipped) == 0) {
      names.emplace_back(found.cFileName);
    }
  } while (FindNextFileW(find.get(), &found));
  return true;
}

// A folder picture (13 by 12 pixels at 96 dpi, its top at `y`): a tab
// over a body, filled for a folder of the path.
void DrawFolder(HDC dc, int x, int y, bool open, int dpi) {
  const auto s = [dpi](int value) { return platform::ScaleToDpi(value, dpi); };
  Pen outline(CreatePen(PS_SOLID, s(1), RGB(128, 96, 0)));
  Brush fill(CreateSolidBrush(open ? RGB(255, 220, 96) : RGB(240, 200, 80)));
  Selection pen(dc, outline.Get());
  Selection brush(dc, fill.Get());
  Rectangle(dc, x, y + s(1), x + s(6), y + s(4));
  Rectangle(dc, x, y + s(3), x + s(13), y + s(12));
  if (open) {
    MoveToEx(dc, x + s(2), y + s(6), nullptr);
    LineTo(dc, x + s(12), y + s(6));
  }
}

}  // namespace

bool TFolderList::Create(HWND parent, int id, const RECT& box, HFONT font, int dpi) {
  list_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                          WS_CHILD | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                              LBS_NOINTEGRALHEIGHT,
                          box.left, box.top, box.right, box.bottom, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleW(nullptr), nullptr);
  if (list_ == nullptr) return false;
  SetFont(font, dpi);
  return true;
}

void TFolderList::SetFont(HFONT font, int dpi) {
  dpi_ = dpi;
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  TEXTMETRICW metrics{};
  {
    WindowDc dc(list_);
    Selection selected(dc.Get(), font);
    GetTextMetricsW(dc.Get(), &metrics);
  }
  const int least = platform::ScaleToDpi(16, dpi);
  const int height = metrics.tmHeight + 2 > least ? metrics.tmHeight + 2 : least;
  SendMessageW(list_, LB_SETITEMHEIGHT, 0, height);
}

bool TFolderList::SetFolder(const std::wstring& folder) {
  const std::wstring full = platform::FullPathName(folder);
  if (full.empty()) return false;
  std::vector<std::wstring> names;
  if (!ReadSubfolders(full, names)) return false;
  std::vector<platform::FolderLine> lines = platform::FolderListLines(full, std::move(names));
  if (lines.empty()) return false;
  lines_ = std::move(lines);
  folder_ = lines_[static_cast<std::size_t>(platform::CurrentFolderLine(lines_))].Path;
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    SendMessageW(list_, LB_ADDSTRING, 0, static_cast<LPARAM>(i));
  }
  SendMessageW(list_, LB_SETCURSEL, platform::CurrentFolderLine(lines_), 0);
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
  return true;
}

bool TFolderList::OpenSelected() {
  const LRESULT at = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  if (at < 0 || static_cast<std::size_t>(at) >= lines_.size()) return false;
  const std::wstring path = lines_[static_cast<std::size_t>(at)].Path;
  if (path == folder_) return false;
  return SetFolder(path);
}

bool TFolderList::DrawItem(const DRAWITEMSTRUCT& item) const {
  if (item.hwndItem != list_) return false;
  const HDC dc = item.hDC;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID < lines_.size()) {
    const platform::FolderLine& line = lines_[item.itemID];
    const auto s = [this](int value) { return platform::ScaleToDpi(value, dpi_); };
    const int x = item.rcItem.left + s(2 + line.Depth * kIndent);
    const int middle = (item.rcItem.top + item.rcItem.bottom) / 2;
    DrawFolder(dc, x, middle - s(6), line.Open, dpi_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text = item.rcItem;
    text.left = x + s(kGlyphWidth + 2);
    DrawTextW(dc, line.Text.c_str(), static_cast<int>(line.Text.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(dc, &item.rcItem);
  return true;
}

}  // namespace mox::win
