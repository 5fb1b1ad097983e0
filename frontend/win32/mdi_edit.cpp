#include "frontend/win32/mdi_edit.h"

#include <commdlg.h>
#include <windowsx.h>

#include "frontend/core/commands.h"
#include "frontend/core/frame_files.h"
#include "frontend/core/source_link.h"
#include "frontend/win32/mdi_frame.h"
#include "frontend/win32/menu_data.h"
#include "frontend/win32/resource_ids.h"
#include "frontend/win32/text_printing.h"
#include "platform/user_interface.h"
#include "platform/win32/framework/file_dialog.h"
#include "platform/win32/framework/font_dialog.h"
#include "platform/win32/wide_text.h"

namespace mox::varelo {
namespace {

constexpr int kControlId = 1;
constexpr std::size_t kEditMenu = 1;  // 编辑[&E] among the editor's menus

// PopupMenu1: cut, copy and paste, as in the edit menu.
std::vector<MenuItem> ContextItems() {
  std::vector<MenuItem> items;
  for (const MenuItem& item : EditorMenus()[kEditMenu].Items) {
    if (item.Id == CM_CUT || item.Id == CM_COPY || item.Id == CM_PASTE) {
      items.push_back({item.Id, item.Caption});
    }
  }
  return items;
}

bool ClipboardHasText() {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

}  // namespace

TEditForm::TEditForm(TFrameForm& frame)
    : TMdiChild(frame),
      Editor(static_cast<EditorHost&>(*this)),
      frame_(frame),
      menus_(FrameworkMenus(EditorMenus())),
      context_menu_(FrameworkItems(ContextItems())),
      accelerators_(EditorAccelerators()) {}

TEditForm::~TEditForm() = default;

bool TEditForm::CreateEditor() {
  if (!CreateChild(platform::Widen(kUntitledCaption), true)) return false;
  // The program's icon on the window's caption and in the menu bar while
  // it is maximized.
  const HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VARELO));
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  if (!control_.Create(Handle(), kControlId)) return false;
  // A face with Chinese characters, at the size of Chinese body text.
  control_.SetDefaultFont("宋体", 105, GB2312_CHARSET);
  RECT client;
  GetClientRect(Handle(), &client);
  Resized(client.right, client.bottom);
  SetFocus(control_.Handle());
  return true;
}

bool TEditForm::CanClose() {
  // The question names the file; the window it is about comes to the front.
  if (control_.IsModified()) Frame().Activate(*this);
  return CanCloseText();
}

void TEditForm::Resized(int width, int height) {
  if (control_.Handle() != nullptr) MoveWindow(control_.Handle(), 0, 0, width, height, TRUE);
}

void TEditForm::SetCaption(const std::string& caption) {
  SetWindowTextW(Handle(), platform::Widen(caption).c_str());
}

std::optional<std::string> TEditForm::AskSaveFileName(const std::string& preset) {
  win::FileDialogData data;
  // No read-only file, and no folder a file cannot be made in.
  data.Flags = OFN_HIDEREADONLY | OFN_NOREADONLYRETURN | OFN_PATHMUSTEXIST;
  data.Filter = kSaveFileFilter;
  data.DefaultExtension = "ctx";
  data.FileName = preset;
  return win::RunSaveFileDialog(frame_.Handle(), data, "另存为");
}

void TEditForm::ShowCaretLabel(const std::string& text) {
  if (frame_.ActiveEditor() == this) frame_.SetCaretLabel(text);
}

bool TEditForm::Command(int id) {
  switch (id) {
    case CM_CLOSE:
      Close();
      return true;
    case CM_SAVE:
    case CM_SAVE_ACTIVE:
      Save();
      return true;
    case CM_SAVE_AS:
      SaveAs();
      return true;
    case CM_PRINT:
      Print();
      return true;
    case CM_PRINTER_SETUP:
      frame_.Printer().Setup(frame_.Handle());
      return true;
    case CM_UNDO:
    case CM_CUT:
    case CM_COPY:
    case CM_PASTE:
    case CM_DELETE:
    case CM_SELECT_ALL:
      EditCommand(id);
      return true;
    case CM_FIND:
      find_dialog_.Show(Handle());
      return true;
    case CM_FIND_NEXT:
      FindNext(RequestOf(find_dialog_, false));
      return true;
    case CM_REPLACE:
      replace_dialog_.Show(Handle());
      return true;
    case CM_WORD_WRAP:
      ToggleWordWrap();
      return true;
    case CM_FONT:
      ChooseFont();
      return true;
    case CM_ALIGN_LEFT:
    case CM_ALIGN_RIGHT:
    case CM_ALIGN_CENTER:
      Align(id);
      return true;
    case CM_STRUCTURE_BAR:
    case CM_PALETTE_BAR:
      ToggleBar(id);
      return true;
    default:
      return false;
  }
}

void TEditForm::EditCommand(int id) {
  TEditForm* active = frame_.ActiveEditor();
  if (active == nullptr) return;
  win::TPlainRichEdit& control = active->control_;
  switch (id) {
    case CM_UNDO: control.Undo(); break;
    case CM_CUT: control.Cut(); break;
    case CM_COPY: control.Copy(); break;
    case CM_PASTE: control.Paste(); break;
    case CM_DELETE: control.DeleteSelection(); break;
    case CM_SELECT_ALL: control.SelectAll(); break;
    default: break;
  }
}

void TEditForm::ShowLine(std::int32_t line) {
  const std::u16string text = control_.Text();
  const std::size_t start = varelo::LineStart(std::u16string_view(text), line);
  control_.SetSelection(start, start);
  SendMessageW(control_.Handle(), EM_SCROLLCARET, 0, 0);
  UpdateCaretLabel();
}

std::int32_t TEditForm::CaretLine() {
  std::size_t start = 0;
  std::size_t end = 0;
  control_.GetSelection(start, end);
  const std::u16string text = control_.Text();
  return varelo::LineOf(std::u16string_view(text), start);
}

void TEditForm::UpdateEditItems(HMENU popup) {
  const bool clipboard_text = ClipboardHasText();
  const bool selection = control_.HasSelection();
  for (int id : {CM_CUT, CM_COPY, CM_PASTE, CM_DELETE}) {
    const bool enabled = IsEditCommandEnabled(id, clipboard_text, selection);
    EnableMenuItem(popup, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
}

void TEditForm::ShowContextMenu(LPARAM where) {
  POINT point{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  if (point.x == -1 && point.y == -1) {
    // From the keyboard: at the caret.
    GetCaretPos(&point);
    ClientToScreen(control_.Handle(), &point);
  }
  UpdateEditItems(context_menu_.Handle());
  TrackPopupMenu(context_menu_.Handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0,
                 Handle(), nullptr);
}

FindRequest TEditForm::RequestOf(const win::TFindReplaceDialog& dialog, bool replace) const {
  FindRequest request;
  request.FindWhat = dialog.FindWhat();
  request.ReplaceWith = dialog.ReplaceWith();
  const DWORD flags = dialog.Flags();
  // The replace dialog offers no direction: it searches down.
  request.Options.Down = replace || (flags & FR_DOWN) != 0;
  request.Options.MatchCase = (flags & FR_MATCHCASE) != 0;
  request.Options.WholeWord = (flags & FR_WHOLEWORD) != 0;
  request.ReplaceAll = (flags & FR_REPLACEALL) != 0;
  return request;
}

void TEditForm::FindDialogMessage(LPARAM lparam) {
  if (find_dialog_.Owns(lparam)) {
    if ((find_dialog_.Flags() & FR_FINDNEXT) != 0) FindNext(RequestOf(find_dialog_, false));
    return;
  }
  if (!replace_dialog_.Owns(lparam)) return;
  const DWORD flags = replace_dialog_.Flags();
  if ((flags & FR_FINDNEXT) != 0) {
    FindNext(RequestOf(replace_dialog_, true));
  } else if ((flags & (FR_REPLACE | FR_REPLACEALL)) != 0) {
    Replace(RequestOf(replace_dialog_, true));
  }
}

void TEditForm::Print() {
  win::TPrinter& printer = frame_.Printer();
  const WORD alignment = control_.Alignment();
  TTextPrintout printout(control_.Text(), control_.SelectionFont(), control_.SelectionColor(),
                         alignment == PFA_RIGHT    ? Alignment::Right
                         : alignment == PFA_CENTER ? Alignment::Center
                                                   : Alignment::Left);
  printout.Title = platform::Widen(FileName());
  switch (printer.Print(frame_.Handle(), printout, true)) {
    case win::TPrinter::Outcome::NoPrinter:
      platform::Ui().ShowBox("没有可用的打印机.", "错误", platform::kBoxOk | platform::kBoxIconError);
      break;
    case win::TPrinter::Outcome::Failed:
      platform::Ui().ShowBox("打印 " + FileName() + " 失败: 打印机没有接受打印任务.", "错误",
                             platform::kBoxOk | platform::kBoxIconError);
      break;
    default:
      break;
  }
}

void TEditForm::ChooseFont() {
  LOGFONTW font = control_.SelectionFont();
  COLORREF color = control_.SelectionColor();
  if (win::ChooseScreenFont(frame_.Handle(), font, color)) control_.SetSelectionFont(font, color);
}

void TEditForm::Align(int id) {
  for (int item : {CM_ALIGN_LEFT, CM_ALIGN_RIGHT, CM_ALIGN_CENTER}) menus_.SetChecked(item, item == id);
  control_.SetAlignment(id == CM_ALIGN_RIGHT    ? PFA_RIGHT
                        : id == CM_ALIGN_CENTER ? PFA_CENTER
                                                : PFA_LEFT);
}

void TEditForm::ToggleWordWrap() {
  control_.SetWordWrap(!control_.WordWrap());
  menus_.SetChecked(CM_WORD_WRAP, control_.WordWrap());
}

void TEditForm::ToggleBar(int id) {
  // Each window keeps its own pair of check marks.
  const bool checked = !menus_.IsChecked(id);
  menus_.SetChecked(id, checked);
  if (id == CM_STRUCTURE_BAR) {
    frame_.SetStructureBarVisible(checked);
  } else {
    frame_.SetPaletteBarVisible(checked);
  }
}

LRESULT TEditForm::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == win::TFindReplaceDialog::FindReplaceMessage()) {
    FindDialogMessage(lparam);
    return 0;
  }
  switch (message) {
    case WM_SETFOCUS: {
      // DefMDIChildProc makes the window the active child first.
      const LRESULT result = DefaultProcessing(message, wparam, lparam);
      if (control_.Handle() != nullptr) SetFocus(control_.Handle());
      return result;
    }
    case WM_COMMAND:
      if (lparam == 0) {  // the context menu
        Command(LOWORD(wparam));
        return 0;
      }
      break;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wparam) == control_.Handle()) {
        ShowContextMenu(lparam);
        return 0;
      }
      break;
    case WM_INITMENUPOPUP:
      if (reinterpret_cast<HMENU>(wparam) == menus_.Popup(kEditMenu)) {
        UpdateEditItems(reinterpret_cast<HMENU>(wparam));
      }
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (header->hwndFrom == control_.Handle() && header->code == EN_SELCHANGE) {
        UpdateCaretLabel();
        return 0;
      }
      break;
    }
    case WM_DESTROY:
      find_dialog_.Close();
      replace_dialog_.Close();
      break;
    default:
      break;
  }
  return TMdiChild::HandleMessage(message, wparam, lparam);
}

}  // namespace mox::varelo
