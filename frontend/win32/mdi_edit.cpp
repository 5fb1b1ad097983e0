#include "frontend/win32/mdi_edit.h"

#include <commdlg.h>
#include <windowsx.h>

#include "frontend/core/commands.h"
#include "frontend/core/frame_files.h"
#include "frontend/core/source_link.h"
#include "frontend/win32/edit_tex_aids.h"
#include "frontend/win32/mdi_frame.h"
#include "frontend/win32/menu_data.h"
#include "frontend/win32/resource_ids.h"
#include "frontend/win32/text_printing.h"
#include "platform/win32/framework/dpi.h"
#include "platform/user_interface.h"
#include "platform/win32/framework/file_dialog.h"
#include "platform/win32/framework/font_dialog.h"
#include "platform/win32/gdi.h"
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

TEditForm::TEditForm(TFrameForm& frame, int number)
    : TMdiChild(frame),
      Editor(static_cast<EditorHost&>(*this)),
      frame_(frame),
      number_(number),
      menus_(FrameworkMenus(EditorMenus())),
      context_menu_(FrameworkItems(ContextItems())),
      accelerators_(EditorAccelerators()),
      find_dialog_(frame.Handle(), false),
      replace_dialog_(frame.Handle(), true) {
  find_dialog_.OnAction = [this](win::TSearchDialog::Action action) {
    SearchAction(find_dialog_, action);
  };
  replace_dialog_.OnAction = [this](win::TSearchDialog::Action action) {
    SearchAction(replace_dialog_, action);
  };
  control_.OnSelectionChanged = [this] {
    UpdateCaretLabel();
    if (aids_) aids_->CaretMoved();
  };
  control_.OnTextChanged = [this] { RefreshCaption(); };
}

TEditForm::~TEditForm() = default;

bool TEditForm::CreateEditor() {
  caption_ = kUntitledCaption;
  if (!CreateChild(platform::Widen(kUntitledCaption), true)) return false;
  shown_caption_ = platform::Widen(kUntitledCaption);
  // The program's icon on the window's caption and in the menu bar while
  // it is maximized.
  const HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VARELO));
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  if (!control_.Create(Handle(), kControlId)) return false;
  control_.SetGutter(true);
  aids_ = std::make_unique<TEditTexAids>(control_, Handle());
  // A face with Chinese characters, at the size of Chinese body text
  // (10.5 points).
  LOGFONTW font{};
  font_dpi_ = Dpi();
  font.lfHeight = -MulDiv(105, font_dpi_, 720);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = GB2312_CHARSET;
  const std::wstring face = platform::Widen("宋体");
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  control_.SetTextFont(font, GetSysColor(COLOR_WINDOWTEXT));
  RECT client;
  GetClientRect(Handle(), &client);
  Resized(client.right, client.bottom);
  SetFocus(control_.Handle());
  return true;
}

bool TEditForm::CanClose() {
  // The question names the file; the window it is about comes to the front.
  if (control_.Document().Modified()) Frame().Activate(*this);
  return CanCloseText();
}

void TEditForm::Resized(int width, int height) {
  if (control_.Handle() != nullptr) MoveWindow(control_.Handle(), 0, 0, width, height, TRUE);
}

void TEditForm::SetCaption(const std::string& caption) {
  caption_ = caption;
  RefreshCaption();
}

void TEditForm::RefreshCaption() {
  const std::wstring caption =
      platform::Widen(caption_) + (control_.Document().Modified() ? L" *" : L"");
  if (caption == shown_caption_ || Handle() == nullptr) return;
  shown_caption_ = caption;
  SetWindowTextW(Handle(), caption.c_str());
  frame_.WindowNamesChanged();
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

void TEditForm::TextSaved() {
  frame_.ForgetCopy(*this);
  frame_.FileUsed(FileName());
  RefreshCaption();
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
    case CM_REDO:
    case CM_CUT:
    case CM_COPY:
    case CM_PASTE:
    case CM_DELETE:
    case CM_SELECT_ALL:
      EditCommand(id);
      return true;
    case CM_FIND:
      find_dialog_.Show();
      return true;
    case CM_FIND_NEXT:
      FindNext(RequestOf(find_dialog_));
      return true;
    case CM_REPLACE:
      replace_dialog_.Show();
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
    case CM_TEX_COLOURING:
      ToggleColouring();
      return true;
    case CM_MATCH_BRACE:
      if (aids_) aids_->GoToPartner();
      return true;
    default:
      return false;
  }
}

void TEditForm::EditCommand(int id) {
  TEditForm* active = frame_.ActiveEditor();
  if (active == nullptr) return;
  win::TTextEditor& control = active->control_;
  switch (id) {
    case CM_UNDO: control.Undo(); break;
    case CM_REDO: control.Redo(); break;
    case CM_CUT: control.Cut(); break;
    case CM_COPY: control.Copy(); break;
    case CM_PASTE: control.Paste(); break;
    case CM_DELETE: control.DeleteSelection(); break;
    case CM_SELECT_ALL: control.SelectAll(); break;
    default: break;
  }
}

void TEditForm::ShowLine(std::int32_t line) {
  platform::TextDocument& document = control_.Document();
  const std::size_t start = document.LineStart(line > 0 ? static_cast<std::size_t>(line - 1) : 0);
  document.Select(start, start);
  control_.ScrollCaretIntoView();
  UpdateCaretLabel();
}

std::int32_t TEditForm::CaretLine() {
  const platform::TextDocument& document = control_.Document();
  return static_cast<std::int32_t>(document.LineOf(document.SelectionStart()) + 1);
}

void TEditForm::UpdateEditItems(HMENU popup) {
  const bool clipboard_text = ClipboardHasText();
  const bool selection = control_.Document().HasSelection();
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

FindRequest TEditForm::RequestOf(const win::TSearchDialog& dialog) {
  FindRequest request;
  request.FindWhat = dialog.FindWhat();
  request.ReplaceWith = dialog.ReplaceWith();
  request.Options.Down = dialog.Down();
  request.Options.MatchCase = dialog.MatchCase();
  request.Options.WholeWord = dialog.WholeWord();
  request.WholeText = dialog.WholeText();
  return request;
}

void TEditForm::SearchAction(const win::TSearchDialog& dialog,
                             win::TSearchDialog::Action action) {
  FindRequest request = RequestOf(dialog);
  switch (action) {
    case win::TSearchDialog::Action::FindNext:
      FindNext(request);
      break;
    case win::TSearchDialog::Action::ReplaceAll:
      request.ReplaceAll = true;
      Replace(request);
      break;
    case win::TSearchDialog::Action::Replace:
      Replace(request);
      break;
  }
}

void TEditForm::Print() {
  win::TPrinter& printer = frame_.Printer();
  const win::TTextEditor::Alignment alignment = control_.TextAlignment();
  // The page layout ends lines with CR alone.
  TTextPrintout printout(platform::WithLineEnds(control_.Document().Text(), u"\r"),
                         ScreenFont(), control_.TextColor(),
                         alignment == win::TTextEditor::Alignment::Right    ? Alignment::Right
                         : alignment == win::TTextEditor::Alignment::Center ? Alignment::Center
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
  // The font dialog measures at the system's DPI.
  LOGFONTW font = ScreenFont();
  COLORREF color = control_.TextColor();
  // One font for the whole text, as in a plain-text editor.
  if (win::ChooseScreenFont(frame_.Handle(), font, color)) {
    control_.SetTextFont(win::FontAtDpi(font, win::SystemDpi(), font_dpi_), color);
  }
}

LOGFONTW TEditForm::ScreenFont() const {
  return win::FontAtDpi(control_.TextFont(), font_dpi_, win::SystemDpi());
}

void TEditForm::ApplyDpi() {
  if (Dpi() == font_dpi_) return;
  const LOGFONTW font = win::FontAtDpi(control_.TextFont(), font_dpi_, Dpi());
  font_dpi_ = Dpi();
  control_.SetTextFont(font, control_.TextColor());
}

void TEditForm::Align(int id) {
  for (int item : {CM_ALIGN_LEFT, CM_ALIGN_RIGHT, CM_ALIGN_CENTER}) menus_.SetChecked(item, item == id);
  control_.SetAlignment(id == CM_ALIGN_RIGHT    ? win::TTextEditor::Alignment::Right
                        : id == CM_ALIGN_CENTER ? win::TTextEditor::Alignment::Center
                                                : win::TTextEditor::Alignment::Left);
}

void TEditForm::ToggleWordWrap() {
  control_.SetWordWrap(!control_.WordWrap());
  menus_.SetChecked(CM_WORD_WRAP, control_.WordWrap());
}

void TEditForm::ToggleColouring() {
  if (!aids_) return;
  aids_->SetColouring(!aids_->Colouring());
  menus_.SetChecked(CM_TEX_COLOURING, aids_->Colouring());
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
      if (aids_ && LOWORD(wparam) == TEditTexAids::kListId) {
        aids_->ListCommand(reinterpret_cast<HWND>(lparam), HIWORD(wparam));
        return 0;
      }
      break;
    case WM_TIMER:
      if (aids_) aids_->Timer(wparam);
      return 0;

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
    case WM_DESTROY:
      KillTimer(Handle(), TEditTexAids::kCatchUpTimer);
      aids_.reset();
      find_dialog_.Hide();
      replace_dialog_.Hide();
      // Closed: saved, or its changes given up.
      frame_.ForgetCopy(*this);
      break;
    default:
      break;
  }
  return TMdiChild::HandleMessage(message, wparam, lparam);
}

}  // namespace mox::varelo
