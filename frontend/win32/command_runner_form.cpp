#include "frontend/win32/command_runner_form.h"

#include <commdlg.h>

#include "frontend/core/command_runner_texts.h"
#include "frontend/core/command_table.h"
#include "frontend/forms/command_runner_layout.h"
#include "frontend/core/build_panel.h"
#include "frontend/win32/mdi_frame.h"
#include "platform/text_format.h"
#include "platform/user_interface.h"
#include "platform/win32/framework/window_text.h"
#include "platform/win32/wide_text.h"

namespace mox::varelo {
namespace {

namespace place = layout::runner;

enum ControlId : int {
  IdOkButton = IDOK,          // OKBtn
  IdCancelButton = IDCANCEL,  // CancelBtn
  IdBanner = 200,             // Panel1
  IdTexDirLabel,              // Panel5
  IdTexDirBox,                // Edit1
  IdTexDirButton,             // Button1
  IdSourceLabel,              // Panel3
  IdSourceBox,                // Edit2
  IdSourceButton,             // Button2
  IdEndBrowsingButton,        // Button3
  IdCommandLabel,             // Panel2
  IdCommandBox,               // ComboBox1
  IdGuide,                    // Memo1
  IdDriveBox,                 // DriveComboBox1
  IdFolderList,               // DirectoryListBox1
  IdSaveButton,               // BitBtn1
  IdHelpButton,               // HelpBtn
};

RECT Box(const int (&place)[4]) { return RECT{place[0], place[1], place[2], place[3]}; }

RECT ButtonBox(int column) {
  return RECT{place::kButtonLeft[column], place::kButtonTop, place::kButtonWidth,
              place::kButtonHeight};
}

}  // namespace

TBtnBottomDlgcm::TBtnBottomDlgcm(TFrameForm& frame, const std::string& program_dir)
    : TCodedDialog(frame.Handle(), std::string(kRunnerCaption),
                   SIZE{place::kClientWidth, place::kClientHeight},
                   TypeFace{L"宋体", 9, GB2312_CHARSET}),
      frame_(frame),
      runner_(*this, program_dir) {
  open_dialog_.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  open_dialog_.Filter = std::string(kSourceChooserFilter);
  open_dialog_.InitialDirectory = std::string(kSourceChooserFolder);
}

void TBtnBottomDlgcm::CreateControls() {
  const HWND dialog = Handle();
  const DWORD shown = WS_VISIBLE;
  const DWORD label = shown | SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN;

  AddControl(L"STATIC", std::string(kRunnerBanner), label | SS_NOPREFIX, Box(place::kBanner),
             IdBanner);
  DpiChanged();  // the banner's font

  const TexLocation& initial = runner_.Parameters();
  AddControl(L"STATIC", std::string(kTexDirLabel), label, Box(place::kTexDirLabel), IdTexDirLabel);
  AddControl(L"EDIT", initial.TexDir, shown | WS_TABSTOP | ES_AUTOHSCROLL,
             Box(place::kTexDirBox), IdTexDirBox, WS_EX_CLIENTEDGE);
  AddControl(L"BUTTON", std::string(kBrowseButton), shown | WS_TABSTOP | BS_PUSHBUTTON,
             Box(place::kTexDirButton), IdTexDirButton);
  AddControl(L"STATIC", std::string(kSourceLabel), label, Box(place::kSourceLabel), IdSourceLabel);
  AddControl(L"EDIT", initial.Source, shown | WS_TABSTOP | ES_AUTOHSCROLL,
             Box(place::kSourceBox), IdSourceBox, WS_EX_CLIENTEDGE);
  AddControl(L"BUTTON", std::string(kBrowseButton), shown | WS_TABSTOP | BS_PUSHBUTTON,
             Box(place::kSourceButton), IdSourceButton);
  AddControl(L"BUTTON", std::string(kEndBrowsingButton), WS_TABSTOP | BS_PUSHBUTTON,
             Box(place::kSourceButton), IdEndBrowsingButton);
  AddControl(L"STATIC", std::string(kCommandLabel), label, Box(place::kCommandLabel),
             IdCommandLabel);
  RECT command = Box(place::kCommandBox);
  command.bottom += place::kCommandListHeight;
  const HWND commands = AddControl(L"COMBOBOX", "", shown | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN |
                                                        CBS_AUTOHSCROLL,
                                   command, IdCommandBox);
  for (const CommandRow& row : kCommandRows) {
    SendMessageW(commands, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(platform::Widen(row.Command).c_str()));
  }
  SetWindowTextW(commands, platform::Widen(kInitialCommand).c_str());

  AddControl(L"EDIT", std::string(kUsageGuide),
             shown | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
             Box(place::kGuide), IdGuide, WS_EX_CLIENTEDGE);
  drives_.Create(dialog, IdDriveBox, Scaled(Box(place::kDriveBox)), Font());
  // The drive box's height includes its list (see TDriveBox::Create).
  RECT drive_box = Box(place::kDriveBox);
  drive_box.bottom += 200;
  Track(drives_.Handle(), drive_box);
  folders_.Create(dialog, IdFolderList, Scaled(Box(place::kFolderList)), Font(), Dpi());
  Track(folders_.Handle(), Box(place::kFolderList));

  const struct {
    std::string_view Caption;
    std::string_view Hint;
    int Id;
    DWORD Style;
  } buttons[] = {
      {kRunButton, kRunHint, IdOkButton, BS_DEFPUSHBUTTON},
      {kSaveParametersButton, kSaveHint, IdSaveButton, BS_PUSHBUTTON},
      {kRunnerHelpButton, kRunnerHelpHint, IdHelpButton, BS_PUSHBUTTON},
      {kRunnerCancelButton, kRunnerCancelHint, IdCancelButton, BS_PUSHBUTTON},
  };
  int column = 0;
  for (const auto& button : buttons) {
    const HWND control = AddControl(L"BUTTON", std::string(button.Caption),
                                    shown | WS_TABSTOP | button.Style, ButtonBox(column++),
                                    button.Id);
    hints_.Add(dialog, control, std::string(button.Hint));
  }
  // The dialog's own hint, over whatever part of it no control covers.
  hints_.Add(dialog, dialog, std::string(kRunnerHint));
}

void TBtnBottomDlgcm::ShowWithSource(const std::optional<std::string>& source) {
  if (Handle() == nullptr && !Create()) return;
  if (source) ShowSource(*source);
  Show();
}

void TBtnBottomDlgcm::TakeBoxes() {
  runner_.SetTexDir(win::WindowText(GetDlgItem(Handle(), IdTexDirBox)));
  runner_.SetSource(win::WindowText(GetDlgItem(Handle(), IdSourceBox)));
  runner_.SetCommand(win::WindowText(GetDlgItem(Handle(), IdCommandBox)));
}

bool TBtnBottomDlgcm::Command(int id, int notification) {
  switch (id) {
    case IdOkButton:
      // Enter in the folder list opens the folder, as a double-click does,
      // rather than running the command.
      if (GetFocus() == folders_.Handle()) {
        FolderOpened();
        return true;
      }
      TakeBoxes();
      runner_.Run();
      return true;
    case IdSaveButton:
      TakeBoxes();
      runner_.SaveParameters();
      return true;
    case IdHelpButton: runner_.Help(); return true;
    case IdCancelButton: runner_.Cancel(); return true;
    case IdTexDirButton: runner_.BrowseFolders(); return true;
    case IdSourceButton:
      TakeBoxes();
      runner_.BrowseSourceFile();
      return true;
    case IdEndBrowsingButton: runner_.EndFolderBrowsing(); return true;
    case IdDriveBox:
      if (notification == CBN_SELCHANGE) DriveChanged();
      return true;
    case IdFolderList:
      if (notification == LBN_SELCHANGE || notification == LBN_DBLCLK) {
        // Pressing the mouse in the list keeps the file button hidden.
        ShowWindow(GetDlgItem(Handle(), IdSourceButton), SW_HIDE);
      }
      if (notification == LBN_DBLCLK) FolderOpened();
      return true;
    default: return false;
  }
}

void TBtnBottomDlgcm::DpiChanged() {
  // The banner in a larger, bold type of the dialog's face.
  LOGFONTW type{};
  GetObjectW(Font(), sizeof type, &type);
  type.lfHeight = type.lfHeight * 3 / 2;
  type.lfWeight = FW_BOLD;
  win::Font banner_font(CreateFontIndirectW(&type));
  if (banner_font) {
    SendDlgItemMessageW(Handle(), IdBanner, WM_SETFONT,
                        reinterpret_cast<WPARAM>(banner_font.Get()), TRUE);
  }
  banner_font_ = std::move(banner_font);
  if (folders_.Handle() != nullptr) folders_.SetFont(Font(), Dpi());
}

INT_PTR TBtnBottomDlgcm::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DRAWITEM) {
    if (folders_.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam))) {
      SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
      return TRUE;
    }
  }
  return TCodedDialog::HandleMessage(message, wparam, lparam);
}

void TBtnBottomDlgcm::DriveChanged() {
  ShowWindow(GetDlgItem(Handle(), IdSourceButton), SW_HIDE);
  const wchar_t drive = drives_.Drive();
  if (drive == 0) return;
  // "X:" is the drive's current folder, where the list opens on it.
  if (!folders_.SetFolder(std::wstring{drive, L':'})) {
    ShowMessage(Format("驱动器 %c: 无法读取, 请插入磁盘或选择其他驱动器!", static_cast<char>(drive)),
                kEnvironmentCaption);
    drives_.SetDrive(folders_.Folder().empty() ? drive : folders_.Folder()[0]);
    return;
  }
  runner_.FolderChosen(platform::Narrow(folders_.Folder()));
}

void TBtnBottomDlgcm::FolderOpened() {
  folders_.OpenSelected();
  // A double-click names the folder even when it was already the current one.
  if (!folders_.Folder().empty()) runner_.FolderChosen(platform::Narrow(folders_.Folder()));
}

void TBtnBottomDlgcm::PlaceFolderList() {
  // The list opens on the folder in the box when there is one, so that
  // opening the browser changes nothing the user typed; else on the drive
  // box's drive.
  const std::wstring typed = platform::Widen(win::WindowText(GetDlgItem(Handle(), IdTexDirBox)));
  const DWORD attributes = typed.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(typed.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
      folders_.SetFolder(typed)) {
    drives_.Fill();
    drives_.SetDrive(folders_.Folder()[0]);
    return;
  }
  drives_.Fill();
  const wchar_t drive = drives_.Drive();
  if (drive != 0) folders_.SetFolder(std::wstring{drive, L':'});
}

void TBtnBottomDlgcm::ShowMessage(const std::string& text, const std::string& caption) {
  // The box belongs to the frame; the dialog waits for it too, so that no
  // second run starts from under the box.
  EnableWindow(Handle(), FALSE);
  platform::Ui().ShowBox(text, caption, platform::kBoxOk | platform::kBoxIconInformation);
  EnableWindow(Handle(), TRUE);
  SetForegroundWindow(Handle());
}

// A command that runs mox or TeX is watched, and the build panel tells
// what it said; the others (a previewer, a printer driver) only start.
void TBtnBottomDlgcm::Start(const ProgramStart& program) {
  if (!RunnerCommandBuilds(runner_.Command())) {
    frame_.Start(program);
    return;
  }
  int code = 0;
  if (!frame_.StartRun(program, runner_.Command(), runner_.Parameters().Source, code)) {
    frame_.TellStartFailure(program, code);
  }
}

bool TBtnBottomDlgcm::SaveBeforeRun() { return frame_.SaveForBuild("执行"); }

bool TBtnBottomDlgcm::SetCurrentFolder(const std::string& folder) {
  return SetCurrentDirectoryW(platform::Widen(folder).c_str()) != 0;
}

std::string TBtnBottomDlgcm::CurrentFolder() {
  const DWORD length = GetCurrentDirectoryW(0, nullptr);
  std::wstring folder(length, L'\0');
  folder.resize(GetCurrentDirectoryW(length, folder.data()));
  return platform::Narrow(folder);
}

void TBtnBottomDlgcm::SetOpenDialogFolder(const std::string& folder) {
  open_dialog_.InitialDirectory = folder;
}

std::optional<std::string> TBtnBottomDlgcm::ChooseSourceFile(const std::string& path) {
  open_dialog_.FileName = path;
  return win::RunOpenFileDialog(Handle(), open_dialog_, "打开");
}

void TBtnBottomDlgcm::ShowTexDir(const std::string& folder) {
  SetDlgItemTextW(Handle(), IdTexDirBox, platform::Widen(folder).c_str());
}

void TBtnBottomDlgcm::ShowSource(const std::string& path) {
  SetDlgItemTextW(Handle(), IdSourceBox, platform::Widen(path).c_str());
}

void TBtnBottomDlgcm::ShowFolderBrowser(bool shown) {
  if (shown) PlaceFolderList();
  const int browser = shown ? SW_SHOW : SW_HIDE;
  const int others = shown ? SW_HIDE : SW_SHOW;
  for (int id : {IdEndBrowsingButton, IdDriveBox, IdFolderList}) {
    ShowWindow(GetDlgItem(Handle(), id), browser);
  }
  for (int id : {IdSourceButton, IdGuide}) ShowWindow(GetDlgItem(Handle(), id), others);
}

void TBtnBottomDlgcm::HideDialog() { Hide(); }

}  // namespace mox::varelo
