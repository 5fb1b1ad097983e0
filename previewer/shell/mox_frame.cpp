#include "previewer/shell/mox_frame.h"

#include "previewer/shell/command_model.h"
#include "previewer/shell/commands.h"
#include "previewer/startup/startup_texts.h"

namespace mox {

win::FrameDecoration PreviewerFrameDecoration(Language language) {
  const bool chinese = language == Language::Chinese;
  win::FrameDecoration decoration;
  decoration.Title = kProgramTitle.In(language);
  decoration.MenuName = chinese ? L"CMOXMAINMENU" : L"MOXMAINMENU";
  // One accelerator table with the English ids serves both languages.
  for (const PreviewerKey& key : PreviewerKeys()) {
    const BYTE modifiers = (key.Shift ? FSHIFT : 0) | (key.Control ? FCONTROL : 0);
    decoration.Accelerators.push_back({static_cast<BYTE>((key.Virtual ? FVIRTKEY : 0) | modifiers),
                                       static_cast<WORD>(key.Code), static_cast<WORD>(key.Id)});
  }
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
