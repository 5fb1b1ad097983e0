#include "previewer/shell/mox_frame.h"

#include "previewer/shell/commands.h"
#include "previewer/render/process_document.h"

namespace mox {

win::FrameDecoration PreviewerFrameDecoration() {
  const bool chinese = ChineseMessages();
  win::FrameDecoration decoration;
  decoration.Title = ProgramTitle();
  decoration.MenuName = chinese ? L"CMOXMAINMENU" : L"MOXMAINMENU";
  // One accelerator table with the English ids serves both languages.
  decoration.AcceleratorName = L"MOXMAINMENU";
  decoration.IconId = IDI_MOX;
  for (const ToolBarEntry& entry : kToolBarLayout) {
    decoration.Buttons.push_back(
        {entry.EnglishId, CommandIdFor(entry.EnglishId, chinese), entry.SeparatorAfter});
  }
  if (chinese) {
    decoration.StatusField = "Use cmdline option \"-e\" for English menu and messages";
    decoration.StatusFieldCharacters = 36;
  }
  decoration.MinTrackWidth = 300;
  decoration.MinTrackHeight = 300;
  return decoration;
}

}  // namespace mox
