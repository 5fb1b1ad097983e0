// TFrameForm, Varelo's frame (the MDIFrame unit): the MDI frame with its
// main menu, the tool bar ToolBar2 and its caret box, the structure bar,
// the palette bar and the palette panel, the window commands, the programs
// it starts, the help files and the About box.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/core/frame_commands.h"
#include "frontend/core/program_start.h"
#include "platform/process.h"
#include "frontend/core/recent_files.h"
#include "frontend/core/recovery.h"
#include "frontend/core/settings_file.h"
#include "frontend/win32/build_panel_window.h"
#include "frontend/win32/frame_panels.h"
#include "frontend/win32/structure_bar_panel.h"
#include "platform/win32/framework/file_dialog.h"
#include "platform/win32/framework/mdi_frame.h"
#include "platform/win32/framework/menu_set.h"
#include "platform/win32/framework/printer.h"
#include "platform/win32/framework/tool_bar.h"

namespace mox::varelo {

class TEditForm;
class TAboutBoxTH;
class TBtnBottomDlgcm;
class TplaintexForm;
class Tusermacro;
class TRecoveryForm;

class TFrameForm : public win::TMdiFrame, private FrameHost {
 public:
  TFrameForm();
  ~TFrameForm() override;

  // The frame with its bars, hidden; then the single-instance windows,
  // hidden too.
  bool CreateForm();
  void CreateSingleInstanceWindows();
  // The frame shown where the settings file says (maximized at first).
  void ShowPlaced();
  // The frame has been shown: ProgramDir, and the file named by the first
  // argument opened in an editor window.
  void FormShow(const std::vector<std::string>& arguments);
  const std::string& ProgramDir() const override { return program_dir_; }

  bool Command(int id) override;

  void New1Click();
  void Open1Click();
  void Exit1Click();
  // The command runner dialog shown, with the active editor's saved file.
  void C1Click();
  // A new editor window with the file in it; none is left when the file
  // cannot be read (after its message).
  TEditForm* OpenInNewEditor(const std::string& path);
  TEditForm* ActiveEditor() const;

  // InsertViaClipboard: the text (when given) into the carrier text box,
  // all of it copied to the clipboard, and pasted into the active editor.
  void InsertViaClipboard(HWND carrier, const std::string* text);
  // The assistant, the phrases and the structure bar (list_commands.cpp):
  // the two dialogs created hidden with their lists read from folder, the
  // assistant opened at a keyword (ShowAssistantAt), a structure-bar button.
  void CreateListDialogs(const std::string& folder);
  void ShowAssistantAt(std::string_view keyword);
  void StructureButtonClick(const StructureButton& button);

  void SetCaretLabel(const std::string& text);
  // A window's caption changed: the window menu lists them anew.
  void WindowNamesChanged();
  void RefreshFrameCaption();
  void SetStructureBarVisible(bool visible);
  void SetPaletteBarVisible(bool visible);
  void SetPalettePanelVisible(bool visible);
  // The palettes (palette_commands.cpp): a palette button chosen
  // (CurrentPalette), its picture loaded and the panel shown, the symbol
  // under the pointer on the picture, and a click that inserts it.
  void PaletteButtonClick(std::size_t index);
  void LoadPalette(std::size_t index);
  void PaletteHitTest(int x, int y);
  void Image1Click();
  win::TPrinter& Printer() { return printer_; }
  win::FileDialogData& OpenFileDialog() { return open_dialog_; }
  void ShowNews() override;
  // Varelo's LaTeX reference in the browser, at an anchor when given
  // (frame_help.cpp).
  void ShowReference(const std::string& fragment);
  void WriteMail(int command) override;
  // Source links: the active editor's caret line shown in the previewer
  // (forward search), and a line of a file shown in an editor window, the
  // frame in front (what the previewer asks for).
  void ShowCaretLineInPreviewer() override;
  // The tool runner: a batch item on the active editor's saved file, a
  // template opened in place, the tutorial in the previewer.
  void RunBatchItem(std::size_t index) override;
  void OpenTemplate(std::size_t index) override;
  // Started without waiting; one that does not start is reported.
  void Start(const ProgramStart& start) override;
  // Why a program did not start, from the system's code.
  void TellStartFailure(const ProgramStart& start, int code);
  // A run of `what` on source (a batch item, the command runner's): started
  // and watched, the build panel saying it runs and, when the command
  // interpreter or program has ended, what mox and TeX said. False, with
  // the system's reason in `code`, when it did not start.
  bool StartRun(const ProgramStart& start, const std::string& what, const std::string& source,
                int& code);
  // The build panel's row opened at its place; the next or previous row
  // with a place (F4, Shift+F4); the panel shown or hidden.
  void OpenBuildRow(std::size_t row);
  void StepBuildRows(bool forward) override;
  void SetBuildPanelVisible(bool visible);
  void RunEnded(platform::WatchedProgram* run, const std::string& source);
  // Recent files (frame_recent_files.cpp): a file opened or saved, the
  // list put into a File menu that opens, an entry chosen.
  void FileUsed(const std::string& path);
  void FillRecentFiles(HMENU popup);
  void OpenRecentFile(std::size_t index) override;
  void ShowSourceLine(const std::string& file, std::int32_t line);
  // Before `what` builds (frame_builds.cpp): the active window saved, the
  // others offered; false when it must not run.
  bool SaveForBuild(const std::string& what);
  // Recovery copies (frame_recovery.cpp): the store started with the
  // copies of a program that did not end normally offered, every modified
  // window's text kept every few seconds, a window's copy dropped when it
  // is saved or closed, and an offered copy restored or thrown away.
  void StartRecovery();
  void KeepCopies();
  void ForgetCopy(TEditForm& editor);
  bool RestoreCopy(const RecoveryStore::Orphan& orphan);
  void DiscardCopy(const RecoveryStore::Orphan& orphan);
  // The recovery timer and the frame's end; true when taken here.
  bool RecoveryMessage(UINT message, WPARAM wparam);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void ActiveChildChanged() override;
  void DpiChanged() override;
  // The structure and palette bars as high as their rows of buttons need.
  void FitButtonBars();

 private:
  TEditForm* NewEditor();
  void PlaceCaretBox();
  void ShowHelp(int command) override;
  void StartProgram(const std::string& command_line) override;
  // The rest of the frame as its commands reach it (FrameHost).
  void NewDocument() override { New1Click(); }
  void OpenDocument() override { Open1Click(); }
  void ShowCommandRunner() override { C1Click(); }
  void Exit() override { Exit1Click(); }
  bool HasActiveEditor() const override { return ActiveEditor() != nullptr; }
  void ActivateNextEditor(bool backwards) override;
  void ArrangeEditors(EditorArrangement arrangement) override;
  bool HasBuildMessages() const override { return !build_panel_.Model().Rows().empty(); }
  bool IsShown(FramePart part) const override;
  void SetShown(FramePart part, bool shown) override;
  void ShowForm(FrameForm form) override;
  bool SourcePositions() const override { return settings_.SourcePositions; }
  void ChangeSourcePositions(bool on) override;
  void SetBarVisible(TPanel& bar, bool visible);
  bool CreatePalettes();
  // The settings file (frame_settings.cpp).
  void LoadSettings();
  void SaveSettings();
  void SetSourcePositions(bool on);

  win::TMenuSet menus_;
  win::TToolBar tool_bar_;  // ToolBar2
  TCaretBox caret_box_;         // Panel4
  int docked_tool_bar_height_ = 0;
  TStructureBar structure_bar_; // Panel3
  TButtonBar palette_bar_{kPaletteBarColor};  // Panel1
  TPalettePanel palette_panel_; // Panel2
  TBuildPanelWindow build_panel_;
  RecentFiles recent_;
  // The runs being watched: they go when they end (the watch never stops
  // a run, not even when Varelo ends).
  std::vector<std::unique_ptr<platform::WatchedProgram>> runs_;
  std::unique_ptr<TAboutBoxTH> about_;
  std::unique_ptr<TBtnBottomDlgcm> runner_;  // the TeX command runner dialog
  std::unique_ptr<TplaintexForm> assistant_;
  std::unique_ptr<Tusermacro> phrases_;
  win::TPrinter printer_;  // shared by the editor windows
  win::FileDialogData open_dialog_;  // OpenFileDialog
  std::string program_dir_;          // ProgramDir
  std::string current_palette_;      // CurrentPalette's caption; empty: none chosen
  win::TAcceleratorTable accelerators_;
  std::string settings_path_;
  VareloSettings settings_;
  std::unique_ptr<RecoveryStore> recovery_;
  std::unique_ptr<TRecoveryForm> recovery_form_;
  int next_window_number_ = 1;
  FrameCommands commands_{*this};
};

}  // namespace mox::varelo
