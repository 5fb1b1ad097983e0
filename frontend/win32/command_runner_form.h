// TBtnBottomDlgcm, the TeX command runner dialog: the TeX folder, source
// file and command boxes, the drive box and folder list that browse for the
// TeX folder, the usage guide and the run, save, help and cancel buttons.
// The window keeps the controls; what they do is the CommandRunner's, for
// which the window is the host.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "frontend/core/command_runner.h"
#include "platform/win32/framework/coded_dialog.h"
#include "platform/win32/framework/drive_box.h"
#include "platform/win32/framework/file_dialog.h"
#include "platform/win32/framework/folder_list.h"
#include "platform/win32/framework/tool_tips.h"
#include "platform/win32/gdi.h"

namespace mox::varelo {

class TFrameForm;

class TBtnBottomDlgcm : public win::TCodedDialog, private CommandRunnerHost {
 public:
  // Reads "\\tex.loc" of the program folder (FormCreate).
  TBtnBottomDlgcm(TFrameForm& frame, const std::string& program_dir);

  // C1Click's part: the source box gets the path (the active editor's saved
  // file, empty for one never saved), then the dialog shows.
  void ShowWithSource(const std::optional<std::string>& source);

 protected:
  void CreateControls() override;
  bool Command(int id, int notification) override;
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void DpiChanged() override;

 private:
  // The boxes as the user left them, into the runner.
  void TakeBoxes();
  void DriveChanged();
  void FolderOpened();
  void PlaceFolderList();

  // CommandRunnerHost.
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void Start(const ProgramStart& program) override;
  bool SaveBeforeRun() override;
  bool SetCurrentFolder(const std::string& folder) override;
  std::string CurrentFolder() override;
  void SetOpenDialogFolder(const std::string& folder) override;
  std::optional<std::string> ChooseSourceFile(const std::string& path) override;
  void ShowTexDir(const std::string& folder) override;
  void ShowSource(const std::string& path) override;
  void ShowFolderBrowser(bool shown) override;
  void HideDialog() override;

  TFrameForm& frame_;
  CommandRunner runner_;
  win::FileDialogData open_dialog_;  // OpenDialog1
  win::TDriveBox drives_;            // DriveComboBox1
  win::TFolderList folders_;         // DirectoryListBox1
  win::TToolTips hints_;
  win::Font banner_font_;  // Panel1's larger type
};

}  // namespace mox::varelo
