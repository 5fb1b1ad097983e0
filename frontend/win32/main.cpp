// Program entry of Varelo: the frame, then the single-instance windows
// (hidden), the frame shown maximized, the file of the command line, and
// the message loop.
#include <windows.h>

#include "frontend/win32/mdi_frame.h"
#include "platform/command_line.h"
#include "platform/user_interface.h"
#include "platform/win32/framework/application.h"
#include "platform/win32/framework/source_link.h"
#include "platform/win32/win32_user_interface.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  static mox::platform::Win32UserInterface ui;
  mox::platform::SetUi(&ui);
  mox::win::EnableThreeDimensionalControls();
  const std::vector<std::string> arguments = mox::platform::CommandLineArguments(0, nullptr);

  mox::varelo::TFrameForm frame;
  // The previewer finds the editor by its frame's class for inverse search.
  frame.SetWindowClass(mox::win::kEditorFrameClass);
  if (!frame.CreateForm()) return 1;
  ui.SetMainWindow(frame.Handle());
  frame.CreateSingleInstanceWindows();

  frame.ShowPlaced();
  UpdateWindow(frame.Handle());
  frame.FormShow(arguments);
  const int exit_code = mox::win::RunMessageLoop(frame, nullptr);
  ui.SetMainWindow(nullptr);
  return exit_code;
}
