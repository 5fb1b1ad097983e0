// The TeX command runner dialog's behaviour: its two parameters with
// "\\tex.loc", saving them with the copy of the MOX view batch file, the
// folder and file browsing, and running one command of the table with its
// checks in order. The dialog window keeps the controls and only passes
// their events here; what the runner shows, starts or asks goes through the
// host.
#pragma once

#include <optional>
#include <string>

#include "frontend/core/command_table.h"
#include "frontend/core/program_start.h"
#include "frontend/core/tex_location.h"

namespace mox::varelo {

class CommandRunnerHost {
 public:
  virtual ~CommandRunnerHost() = default;
  // A message box with one OK button.
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
  virtual void Start(const ProgramStart& program) = 0;
  // The process's current folder: set it (true when the system took it)
  // and read it back.
  virtual bool SetCurrentFolder(const std::string& folder) = 0;
  virtual std::string CurrentFolder() = 0;
  // The initial folder of the source file chooser.
  virtual void SetOpenDialogFolder(const std::string& folder) = 0;
  // The source file chooser preset to path; the chosen path, or nothing.
  virtual std::optional<std::string> ChooseSourceFile(const std::string& path) = 0;
  // The folder box's text after the runner changed it.
  virtual void ShowTexDir(const std::string& folder) = 0;
  virtual void ShowSource(const std::string& path) = 0;
  // Shown: "结束", the drive box and the folder list, without the file
  // button and the guide; hidden: the other way round.
  virtual void ShowFolderBrowser(bool shown) = 0;
  virtual void HideDialog() = 0;
  // Before a command runs: the text the user sees saved (the active
  // window, the others offered); false when nothing may run.
  virtual bool SaveBeforeRun() { return true; }
};

class CommandRunner {
 public:
  // Reads "\\tex.loc" of the program folder (the dialog's creation).
  CommandRunner(CommandRunnerHost& host, std::string program_dir);

  const TexLocation& Parameters() const { return location_; }
  const std::string& Command() const { return command_; }
  // What the user typed into the boxes.
  void SetTexDir(std::string folder) { location_.TexDir = std::move(folder); }
  void SetSource(std::string path) { location_.Source = std::move(path); }
  void SetCommand(std::string command) { command_ = std::move(command); }

  // "保存参数".
  void SaveParameters();
  // "执行[&E] ".
  void Run();
  // "查找 …" beside the folder box, a folder chosen in the list, "结束".
  void BrowseFolders();
  void FolderChosen(const std::string& folder);
  void EndFolderBrowsing();
  // "查找 …" beside the file box.
  void BrowseSourceFile();
  // "帮助[&H] " and "取消[&C]".
  void Help();
  void Cancel();

 private:
  bool TexDirExists();
  // Copies the program folder's moxview.bat into the TeX folder; false
  // with the reason when it could not.
  bool CopyViewBatch(std::string& reason);

  CommandRunnerHost& host_;
  std::string program_dir_;
  TexLocation location_;
  std::string command_ = "MOXVIEW";
};

}  // namespace mox::varelo
