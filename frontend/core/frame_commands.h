// The commands of Varelo's frame as portable operations: what each menu
// item, tool-bar button and shortcut of the frame does, which of them are
// greyed and their hints. The frame's windows, programs and settings are
// reached through FrameHost, which the Win32 frame implements and the tests
// fake; the window code only hands the ids of WM_COMMAND on.
#pragma once

#include <cstddef>
#include <string>

#include "frontend/core/program_start.h"
#include "platform/command_states.h"

namespace mox::varelo {

enum class EditorArrangement { TileHorizontally, TileVertically, ArrangeIcons, Cascade };
// The parts of the frame a command shows and hides.
enum class FramePart { StructureBar, PaletteBar, BuildPanel };
// The single-instance windows a command shows.
enum class FrameForm { About, Assistant, Phrases };

class FrameHost {
 public:
  virtual ~FrameHost() = default;
  virtual const std::string& ProgramDir() const = 0;
  // The documents: a new and an opened editor window, a recent file, a
  // template opened in place, the command runner on the active one, a
  // batch item run on it, the end of the program.
  virtual void NewDocument() = 0;
  virtual void OpenDocument() = 0;
  virtual void OpenRecentFile(std::size_t index) = 0;
  virtual void OpenTemplate(std::size_t index) = 0;
  virtual void ShowCommandRunner() = 0;
  virtual void RunBatchItem(std::size_t index) = 0;
  virtual void Exit() = 0;
  // The editor windows: whether one is active, the next or the one before
  // made active, their arrangement, the caret line shown in the previewer.
  virtual bool HasActiveEditor() const = 0;
  virtual void ActivateNextEditor(bool backwards) = 0;
  virtual void ArrangeEditors(EditorArrangement arrangement) = 0;
  virtual void ShowCaretLineInPreviewer() = 0;
  // The build panel's rows: whether there are any, the next or previous
  // one with a place opened.
  virtual bool HasBuildMessages() const = 0;
  virtual void StepBuildRows(bool forward) = 0;
  virtual bool IsShown(FramePart part) const = 0;
  virtual void SetShown(FramePart part, bool shown) = 0;
  virtual void ShowForm(FrameForm form) = 0;
  // Compiling with source specials, kept in the settings file.
  virtual bool SourcePositions() const = 0;
  virtual void ChangeSourcePositions(bool on) = 0;
  // Programs: started as a batch item starts them (one that does not start
  // is reported), or a command line of its own; the help, the news, mail.
  virtual void Start(const ProgramStart& start) = 0;
  virtual void StartProgram(const std::string& command_line) = 0;
  virtual void ShowHelp(int command) = 0;
  virtual void ShowNews() = 0;
  virtual void WriteMail(int command) = 0;
};

class FrameCommands final : public platform::CommandStates {
 public:
  explicit FrameCommands(FrameHost& host) : host_(host) {}

  // Carries out a command of the frame; false for an id that is none of
  // its commands.
  bool Run(int id);
  // Whether the command can be chosen now (greyed otherwise).
  bool IsEnabled(int id) const override;
  // The hint a command's tool-bar button shows.
  std::string HintOf(int id) const override;

 private:
  // The commands of a numbered range (recent files, batch items,
  // templates); false for other ids.
  bool RunNumbered(int id);
  FrameHost& host_;
};

}  // namespace mox::varelo
