#include "previewer/shell/mox_frame.h"

#include "previewer/shell/commands.h"
#include "previewer/startup/startup_texts.h"

namespace mox {

win::FrameDecoration PreviewerFrameDecoration(Language language) {
  const bool chinese = language == Language::Chinese;
  win::FrameDecoration decoration;
  decoration.Title = kProgramTitle.In(language);
  decoration.MenuName = chinese ? L"CMOXMAINMENU" : L"MOXMAINMENU";
  // One accelerator table with the English ids serves both languages.
  decoration.AcceleratorName = L"MOXMAINMENU";
  decoration.IconId = IDI_MOX;
  for (const ToolBarEntry& entry : kToolBarLayout) {
    // A glyph without a caption; the hints are the status line's.
    decoration.Buttons.push_back(
        {CommandIdFor(entry.EnglishId, chinese), entry.EnglishId, {}, entry.SeparatorAfter});
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
