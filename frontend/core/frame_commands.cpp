#include "frontend/core/frame_commands.h"

#include "frontend/core/batch_menu.h"
#include "frontend/core/commands.h"
#include "frontend/core/frame_files.h"
#include "platform/environment.h"
#include "platform/user_interface.h"

namespace mox::varelo {

bool FrameCommands::RunNumbered(int id) {
  if (id >= CM_RECENT_FIRST && id <= CM_RECENT_LAST) {
    host_.OpenRecentFile(static_cast<std::size_t>(id - CM_RECENT_FIRST));
  } else if (id >= CM_BATCH_FIRST && id <= CM_BATCH_LAST) {
    host_.RunBatchItem(static_cast<std::size_t>(id - CM_BATCH_FIRST));
  } else if (id >= CM_TEMPLATE_FIRST && id <= CM_TEMPLATE_LAST) {
    host_.OpenTemplate(static_cast<std::size_t>(id - CM_TEMPLATE_FIRST));
  } else {
    return false;
  }
  return true;
}

bool FrameCommands::Run(int id) {
  if (RunNumbered(id)) return true;
  const auto toggle = [this](FramePart part) { host_.SetShown(part, !host_.IsShown(part)); };
  switch (id) {
    case CM_NEW: host_.NewDocument(); return true;
    case CM_OPEN: host_.OpenDocument(); return true;
    case CM_COMPILE: host_.ShowCommandRunner(); return true;
    case CM_EXIT: host_.Exit(); return true;
    case CM_FORWARD_SEARCH: host_.ShowCaretLineInPreviewer(); return true;
    case CM_NEXT_MESSAGE:
    case CM_PREVIOUS_MESSAGE: host_.StepBuildRows(id == CM_NEXT_MESSAGE); return true;
    case CM_BUILD_PANEL: toggle(FramePart::BuildPanel); return true;
    case CM_TOGGLE_STRUCTURE_BAR: toggle(FramePart::StructureBar); return true;
    case CM_TOGGLE_PALETTE_BAR: toggle(FramePart::PaletteBar); return true;
    case CM_ABOUT_BATCH:
    case CM_ABOUT_TEMPLATES: {
      const InfoMessage info = id == CM_ABOUT_BATCH ? AboutBatchFiles(host_.ProgramDir())
                                                    : AboutTemplates(host_.ProgramDir());
      platform::Ui().ShowBox(info.Text, info.Caption,
                             platform::kBoxOk | platform::kBoxIconInformation);
      return true;
    }
    case CM_TUTORIAL: host_.Start(TutorialStart(host_.ProgramDir())); return true;
    case CM_SOURCE_SPECIALS: host_.ChangeSourcePositions(!host_.SourcePositions()); return true;
    case CM_NEXT_WINDOW:
    case CM_PREVIOUS_WINDOW:
      if (host_.HasActiveEditor()) host_.ActivateNextEditor(id == CM_PREVIOUS_WINDOW);
      return true;
    case CM_TILE_HORIZONTAL: host_.ArrangeEditors(EditorArrangement::TileHorizontally); return true;
    case CM_TILE_VERTICAL: host_.ArrangeEditors(EditorArrangement::TileVertically); return true;
    case CM_ARRANGE_ICONS: host_.ArrangeEditors(EditorArrangement::ArrangeIcons); return true;
    case CM_CASCADE: host_.ArrangeEditors(EditorArrangement::Cascade); return true;
    case CM_EXPLORER: host_.StartProgram(kExplorerCommandLine); return true;
    case CM_COMMAND_PROMPT:
      host_.StartProgram(CommandInterpreter(platform::GetEnvironmentText("COMSPEC")));
      return true;
    case CM_HELP_LATEX:
    case CM_HELP_PCTEX:
    case CM_HELP_MIKTEX: host_.ShowHelp(id); return true;
    case CM_NEWS: host_.ShowNews(); return true;
    case CM_ABOUT: host_.ShowForm(FrameForm::About); return true;
    case CM_TEX_ASSISTANT: host_.ShowForm(FrameForm::Assistant); return true;
    case CM_PHRASES: host_.ShowForm(FrameForm::Phrases); return true;
    case CM_MAIL_AUTHOR:
    case CM_MAIL_REPORT: host_.WriteMail(id); return true;
    // Commands of an editor window that reach the frame when none is
    // open: nothing to act on, and nothing said.
    case CM_SAVE_ACTIVE:
    case CM_COPY:
    case CM_PASTE:
    case CM_CUT:
    case CM_FIND:
    case CM_REPLACE:
    case CM_UNDO:
    case CM_DELETE:
    case CM_SELECT_ALL:
    case CM_FIND_NEXT: return true;
    default: return false;
  }
}

bool FrameCommands::IsEnabled(int id) const {
  switch (CommandOf(id).Rule) {
    case Needs::ActiveEditor: return host_.HasActiveEditor();
    case Needs::BuildMessages: return host_.HasBuildMessages();
    case Needs::Never: return false;
    // An editor window's own rules are its own (the frame passes its
    // commands on to the active one).
    default: return true;
  }
}

std::string FrameCommands::HintOf(int id) const {
  if (id == CM_HELP_PCTEX) return kPcTexGoneHint;
  return CommandOf(id).Hint;
}

}  // namespace mox::varelo
