#include "frontend/win32/mdi_frame.h"

#include <commctrl.h>
#include <commdlg.h>

#include <shellapi.h>

#include "frontend/core/batch_menu.h"
#include "frontend/core/commands.h"
#include "frontend/core/frame_files.h"
#include "frontend/core/source_link.h"
#include "frontend/forms/frame_layout.h"
#include "frontend/win32/about_box.h"
#include "frontend/win32/assistant_form.h"
#include "frontend/win32/command_runner_form.h"
#include "frontend/win32/mdi_edit.h"
#include "frontend/win32/phrase_form.h"
#include "frontend/win32/recovery_form.h"
#include "frontend/win32/menu_data.h"
#include "frontend/win32/resource_ids.h"
#include "platform/command_line.h"
#include "platform/current_directory.h"
#include "platform/directories.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/text_format.h"
#include "platform/user_interface.h"
#include "platform/source_position.h"
#include "platform/win32/framework/source_link.h"
#include "platform/win32/wide_text.h"

namespace mox::varelo {
namespace {

constexpr int kToolBarId = 0x7E01;
constexpr std::size_t kWindowMenu = 4;  // 窗口(&W) among the frame's menus

}  // namespace

TFrameForm::TFrameForm()
    : menus_(FrameworkMenus(FrameMenus())), accelerators_(AcceleratorsOf(FrameMenus())) {
  open_dialog_.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  open_dialog_.Filter = kOpenFileFilter;
  printer_.SetCancelBoxTexts(L"正在打印", L"取消");
}

TFrameForm::~TFrameForm() = default;

bool TFrameForm::CreateForm() {
  if (!CreateFrame(kProgramTitle, menus_, kWindowMenu, IDI_VARELO)) return false;
  // Ctrl+N and Ctrl+O with no window open.
  SetAccelerators(accelerators_.Handle());
  SetCommandStates(&commands_);

  std::vector<win::ToolBarButton> buttons;
  for (const ToolButton& button : ToolBarButtons()) {
    buttons.push_back({button.Id, VARELO_GLYPH_BASE + button.Id, button.Caption});
  }
  if (!tool_bar_.Create(Handle(), kToolBarId, std::move(buttons),
                        {layout::kGlyphSize, layout::kToolButtonHeight}, Dpi())) {
    return false;
  }
  SetToolBar(tool_bar_.Handle());
  Dock(tool_bar_.Handle(), win::DockSide::Top, tool_bar_.Height());

  // The structure bar starts hidden, the palette bar shown, the palette
  // panel hidden.
  structure_bar_.CreatePanel(Handle(), false);
  if (!structure_bar_.CreateBar([this](const StructureButton& button) {
        StructureButtonClick(button);
      })) {
    return false;
  }
  palette_bar_.CreatePanel(Handle(), true);
  palette_panel_.CreatePanel(Handle(), false);
  if (!CreatePalettes()) return false;
  // Beside the tool bar, on its row: the bar's buttons wrap before it.
  caret_box_.CreatePanel(Handle(), true);
  caret_box_.CreateLabels();
  Dock(structure_bar_.Handle(), win::DockSide::Top, Scaled(layout::kButtonBarHeight));
  Dock(palette_bar_.Handle(), win::DockSide::Top, Scaled(layout::kButtonBarHeight));
  Dock(palette_panel_.Handle(), win::DockSide::Right, Scaled(layout::kPalettePanelWidth));
  // The build panel under the editors, shown by the first run.
  if (!build_panel_.CreateBuildPanel(Handle(), [this](std::size_t row) { OpenBuildRow(row); })) {
    return false;
  }
  Dock(build_panel_.Handle(), win::DockSide::Bottom, build_panel_.PanelHeight());
  FitButtonBars();
  PlaceCaretBox();
  LoadSettings();
  return true;
}

void TFrameForm::CreateSingleInstanceWindows() {
  // ProgramDir is set only when the frame is shown.
  CreateListDialogs(ProgramDirOf(platform::CommandLineArguments(0, nullptr).front()));
  about_ = std::make_unique<TAboutBoxTH>(*this);
  about_->Create();
  runner_ = std::make_unique<TBtnBottomDlgcm>(
      *this, ProgramDirOf(platform::CommandLineArguments(0, nullptr).front()));
  runner_->Create();
}

void TFrameForm::FormShow(const std::vector<std::string>& arguments) {
  program_dir_ = ProgramDirOf(arguments.empty() ? std::string() : arguments[0]);
  // A first argument that names an existing file opens it; anything else
  // is ignored without a message.
  if (arguments.size() > 1 && !arguments[1].empty() && platform::Files().Exists(arguments[1]) &&
      !platform::IsDirectory(arguments[1])) {
    // Full, so that the window saves where it read even after the current
    // directory changes (the open and save dialogs change it).
    TEditForm* editor =
        OpenInNewEditor(FullPathOf(arguments[1], platform::CurrentDirectoryFor(arguments[1])));
    // A line after the file: where an inverse search of a previewer that
    // started the editor points.
    if (editor != nullptr && CommandLineLine(arguments) > 0) {
      editor->ShowLine(CommandLineLine(arguments));
    }
  }
  StartRecovery();
}

TEditForm* TFrameForm::NewEditor() {
  auto& editor =
      static_cast<TEditForm&>(Adopt(std::make_unique<TEditForm>(*this, next_window_number_++)));
  if (!editor.CreateEditor()) {
    editor.Close();
    return nullptr;
  }
  return &editor;
}

void TFrameForm::New1Click() {
  if (TEditForm* editor = NewEditor()) editor->InitializeNew();
}

void TFrameForm::Open1Click() {
  if (const std::optional<std::string> path = win::RunOpenFileDialog(Handle(), open_dialog_, "打开")) {
    OpenInNewEditor(*path);
  }
}

TEditForm* TFrameForm::OpenInNewEditor(const std::string& path) {
  TEditForm* editor = NewEditor();
  if (editor == nullptr) return nullptr;
  if (!editor->OpenFile(path)) {
    // A window that names a file it could not read would overwrite that
    // file with nothing on the next save.
    SendMessageW(Client(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(editor->Handle()), 0);
    return nullptr;
  }
  FileUsed(editor->FileName());
  return editor;
}

void TFrameForm::C1Click() {
  if (!runner_) return;
  TEditForm* editor = ActiveEditor();
  runner_->ShowWithSource(editor != nullptr ? std::optional(editor->SavedFileName())
                                            : std::nullopt);
}

void TFrameForm::Exit1Click() { PostMessageW(Handle(), WM_CLOSE, 0, 0); }

TEditForm* TFrameForm::ActiveEditor() const { return dynamic_cast<TEditForm*>(ActiveChild()); }

void TFrameForm::InsertViaClipboard(HWND carrier, const std::string* text) {
  if (text != nullptr) SetWindowTextW(carrier, platform::Widen(*text).c_str());
  SendMessageW(carrier, EM_SETSEL, 0, -1);
  SendMessageW(carrier, WM_COPY, 0, 0);
  if (TEditForm* editor = ActiveEditor()) {
    editor->PasteClipboard();
    // The keys go on into the text, after what was put in, not into the
    // button or box that was clicked.
    SetFocus(editor->TextWindow());
  }
}

void TFrameForm::SetCaretLabel(const std::string& text) { caret_box_.SetPosition(text); }

void TFrameForm::WindowNamesChanged() {
  // The system's list in the window menu keeps the captions it was given
  // until it is refreshed.
  if (Client() == nullptr) return;
  SendMessageW(Client(), WM_MDIREFRESHMENU, 0, 0);
  DrawMenuBar(Handle());
  RefreshFrameCaption();
}

void TFrameForm::RefreshFrameCaption() {
  // The frame's own title given again: the MDI frame puts the maximized
  // window's caption after it ("Varelo - [paper.ctx *]"), which it does not
  // always do by itself for a new window.
  SetWindowTextW(Handle(), platform::Widen(kProgramTitle).c_str());
}

void TFrameForm::SetBarVisible(TPanel& bar, bool visible) {
  ShowWindow(bar.Handle(), visible ? SW_SHOW : SW_HIDE);
  Layout();
}

void TFrameForm::SetStructureBarVisible(bool visible) { SetBarVisible(structure_bar_, visible); }
void TFrameForm::SetPaletteBarVisible(bool visible) { SetBarVisible(palette_bar_, visible); }
void TFrameForm::SetPalettePanelVisible(bool visible) { SetBarVisible(palette_panel_, visible); }

void TFrameForm::PlaceCaretBox() {
  // The tool bar as high as its rows of buttons, the caret box in the room
  // it leaves at the right end of its first row.
  const int width = Scaled(layout::kCaretBoxWidth);
  ReserveBeside(tool_bar_.Handle(), width + Scaled(8));
  SendMessageW(tool_bar_.Handle(), TB_AUTOSIZE, 0, 0);
  if (tool_bar_.Height() != docked_tool_bar_height_) {
    docked_tool_bar_height_ = tool_bar_.Height();
    ResizeDocked(tool_bar_.Handle(), docked_tool_bar_height_);
  }
  RECT client;
  GetClientRect(Handle(), &client);
  const int height = Scaled(2 * layout::kCaretLabelHeight + 4);
  const int row = Scaled(layout::kToolButtonHeight);
  MoveWindow(caret_box_.Handle(), client.right - width - Scaled(4), (row - height) / 2, width,
             height, TRUE);
}

void TFrameForm::FitButtonBars() {
  RECT client{};
  GetClientRect(Handle(), &client);
  for (TButtonBar* bar : {static_cast<TButtonBar*>(&structure_bar_), &palette_bar_}) {
    ResizeDocked(bar->Handle(), bar->HeightFor(client.right));
  }
}

void TFrameForm::DpiChanged() {
  tool_bar_.SetDpi(Dpi());
  ResizeDocked(palette_panel_.Handle(), Scaled(layout::kPalettePanelWidth));
  ResizeDocked(build_panel_.Handle(), build_panel_.PanelHeight());
  for (TPanel* panel : {static_cast<TPanel*>(&structure_bar_), static_cast<TPanel*>(&palette_bar_),
                        static_cast<TPanel*>(&palette_panel_), static_cast<TPanel*>(&caret_box_),
                        static_cast<TPanel*>(&build_panel_)}) {
    panel->ApplyDpi();
  }
  FitButtonBars();
  PlaceCaretBox();
  for (const std::unique_ptr<win::TMdiChild>& child : Children()) {
    if (auto* editor = dynamic_cast<TEditForm*>(child.get())) editor->ApplyDpi();
  }
}

void TFrameForm::StartProgram(const std::string& command_line) {
  // Started and not waited for; a failure is not reported.
  platform::StartProgram(command_line, kShowNormal);
}

void TFrameForm::ShowNews() { StartProgram(NewsCommandLine(program_dir_)); }

void TFrameForm::WriteMail(int command) {
  const std::wstring link = platform::Widen(MailLink(command));
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(Handle(), L"open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) {
    platform::Ui().ShowBox(Format("没有找到邮件程序. 请写信到 %s", kMailAddress), "电子邮件",
                           platform::kBoxOk | platform::kBoxIconInformation);
  }
}

void TFrameForm::OpenTemplate(std::size_t index) {
  if (index >= kTemplateItems.size()) return;
  const std::optional<std::string> path = TemplatePathOf(kTemplateItems[index], program_dir_);
  if (!path) return;
  // Opened in place; the next open dialog starts from it.
  open_dialog_.FileName = *path;
  OpenInNewEditor(*path);
}

void TFrameForm::ShowSourceLine(const std::string& file, std::int32_t line) {
  TEditForm* editor = nullptr;
  for (const std::unique_ptr<win::TMdiChild>& child : Children()) {
    auto* open = dynamic_cast<TEditForm*>(child.get());
    if (open != nullptr &&
        platform::ComparablePath(open->FileName()) == platform::ComparablePath(file)) {
      editor = open;
    }
  }
  if (editor != nullptr) {
    Activate(*editor);
  } else {
    editor = OpenInNewEditor(file);
  }
  win::BringToFront(Handle());
  if (editor != nullptr) editor->ShowLine(line);
}

bool TFrameForm::Command(int id) { return commands_.Run(id); }

void TFrameForm::ActivateNextEditor(bool backwards) {
  if (TEditForm* editor = ActiveEditor()) {
    SendMessageW(Client(), WM_MDINEXT, reinterpret_cast<WPARAM>(editor->Handle()),
                 backwards ? 1 : 0);
  }
}

void TFrameForm::ArrangeEditors(EditorArrangement arrangement) {
  switch (arrangement) {
    case EditorArrangement::TileHorizontally:
      SendMessageW(Client(), WM_MDITILE, MDITILE_HORIZONTAL, 0);
      break;
    case EditorArrangement::TileVertically:
      SendMessageW(Client(), WM_MDITILE, MDITILE_VERTICAL, 0);
      break;
    case EditorArrangement::ArrangeIcons: SendMessageW(Client(), WM_MDIICONARRANGE, 0, 0); break;
    case EditorArrangement::Cascade: SendMessageW(Client(), WM_MDICASCADE, 0, 0); break;
  }
}

bool TFrameForm::IsShown(FramePart part) const {
  switch (part) {
    case FramePart::StructureBar: return IsWindowVisible(structure_bar_.Handle()) != FALSE;
    case FramePart::PaletteBar: return IsWindowVisible(palette_bar_.Handle()) != FALSE;
    case FramePart::BuildPanel: return menus_.IsChecked(CM_BUILD_PANEL);
  }
  return false;
}

void TFrameForm::SetShown(FramePart part, bool shown) {
  switch (part) {
    case FramePart::StructureBar: SetStructureBarVisible(shown); break;
    case FramePart::PaletteBar: SetPaletteBarVisible(shown); break;
    case FramePart::BuildPanel: SetBuildPanelVisible(shown); break;
  }
}

void TFrameForm::ShowForm(FrameForm form) {
  switch (form) {
    case FrameForm::About:
      if (about_) about_->Show();
      break;
    case FrameForm::Assistant:
      if (assistant_) assistant_->Show();
      break;
    case FrameForm::Phrases:
      if (phrases_) phrases_->Show();
      break;
  }
}

void TFrameForm::ChangeSourcePositions(bool on) {
  SetSourcePositions(on);
  SaveSettings();
}

void TFrameForm::ActiveChildChanged() {
  RefreshFrameCaption();
  if (TEditForm* editor = ActiveEditor()) {
    editor->UpdateCaretLabel();
  } else {
    SetCaretLabel("");
  }
}

LRESULT TFrameForm::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) SaveSettings();
  if (RecoveryMessage(message, wparam)) return 0;
  if (message == WM_COPYDATA) {
    const std::optional<platform::SourcePosition> position = win::ReceivedSourcePosition(lparam);
    if (!position) return FALSE;
    ShowSourceLine(position->File, position->Line);
    return TRUE;
  }
  if (message == WM_INITMENUPOPUP && HIWORD(lparam) == 0) {
    const HMENU popup = reinterpret_cast<HMENU>(wparam);
    TEditForm* editor = ActiveEditor();
    if (popup == menus_.Popup(0) || (editor != nullptr && popup == editor->Menus()->Popup(0))) {
      FillRecentFiles(popup);
    }
    // Greyed while the panel has no rows; the frame only greys items.
    for (int id : {CM_NEXT_MESSAGE, CM_PREVIOUS_MESSAGE}) EnableMenuItem(popup, id, MF_BYCOMMAND | MF_ENABLED);
  }
  const LRESULT result = TMdiFrame::HandleMessage(message, wparam, lparam);
  if (message == WM_SIZE && wparam != SIZE_MINIMIZED && tool_bar_.Handle() != nullptr) {
    FitButtonBars();
    PlaceCaretBox();
  }
  return result;
}

}  // namespace mox::varelo
