// The frame's settings in Varelo.ini beside the program: whether TeX
// records source positions, the frame's place and the bars shown. Read
// before the frame shows, written when the source setting changes and
// when the frame closes; lines of other versions stay in the file.
#include "frontend/core/commands.h"
#include "frontend/core/frame_files.h"
#include "frontend/core/recent_files.h"
#include "frontend/win32/mdi_frame.h"
#include "platform/command_line.h"
#include "platform/environment.h"

namespace mox::varelo {

void TFrameForm::LoadSettings() {
  settings_path_ = ProgramDirOf(platform::CommandLineArguments(0, nullptr).front()) + "\\" +
                   kSettingsFileName;
  const SettingsFile file = LoadSettingsFile(settings_path_);
  settings_ = ReadSettings(file);
  recent_ = ReadRecentFiles(file);
  // Source positions as the file says, or as the environment asks.
  const bool source = settings_.SourcePositions || platform::GetEnvironmentText("MOXSRC") == "1";
  SetSourcePositions(source);
  SetStructureBarVisible(settings_.StructureBar);
  SetPaletteBarVisible(settings_.PaletteBar);
}

void TFrameForm::SetSourcePositions(bool on) {
  // The batch files (and the command runner's, which call them) add
  // -src-specials to TeX's command line when MOXSRC is 1; the programs
  // Varelo starts inherit its environment.
  menus_.SetChecked(CM_SOURCE_SPECIALS, on);
  SetEnvironmentVariableW(L"MOXSRC", on ? L"1" : nullptr);
  settings_.SourcePositions = on;
}

void TFrameForm::ShowPlaced() {
  if (!settings_.Frame) {
    ShowWindow(Handle(), SW_SHOWMAXIMIZED);
    return;
  }
  const FramePlace& place = *settings_.Frame;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  placement.showCmd = place.Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
  placement.rcNormalPosition = RECT{place.Left, place.Top, place.Left + place.Width,
                                    place.Top + place.Height};
  // A place on no screen any more (a monitor taken away) is not taken.
  if (MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTONULL) == nullptr) {
    ShowWindow(Handle(), SW_SHOWMAXIMIZED);
    return;
  }
  SetWindowPlacement(Handle(), &placement);
}

void TFrameForm::SaveSettings() {
  settings_.StructureBar = IsWindowVisible(structure_bar_.Handle()) != FALSE;
  settings_.PaletteBar = IsWindowVisible(palette_bar_.Handle()) != FALSE;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (GetWindowPlacement(Handle(), &placement)) {
    const RECT& box = placement.rcNormalPosition;
    settings_.Frame = FramePlace{static_cast<int>(box.left), static_cast<int>(box.top),
                                 static_cast<int>(box.right - box.left),
                                 static_cast<int>(box.bottom - box.top),
                                 placement.showCmd == SW_SHOWMAXIMIZED};
  }
  // Read again: another Varelo may have written its own lines meanwhile.
  SettingsFile file = LoadSettingsFile(settings_path_);
  WriteSettings(settings_, file);
  WriteRecentFiles(recent_, file);
  SaveSettingsFile(settings_path_, file);
}

}  // namespace mox::varelo
