// Program entry of the previewer: read the options while the page view is
// constructed, then build the frame for the language and run.
#include <windows.h>

#include "platform/user_interface.h"
#include "platform/command_line.h"
#include "platform/win32/framework/application.h"
#include "platform/win32/framework/decorated_frame.h"
#include "platform/win32/framework/source_link.h"
#include "platform/win32/win32_user_interface.h"
#include "previewer/shell/commands.h"
#include "previewer/shell/mox_frame.h"
#include "previewer/shell/mox_window.h"
#include "previewer/shell/running_previewer.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show_mode) {
  static mox::platform::Win32UserInterface ui;
  mox::platform::SetUi(&ui);

  mox::win::EnableThreeDimensionalControls();
  mox::TMOXWindow client(mox::platform::CommandLineArguments(0, nullptr));
  const mox::Options& options = client.Settings();
  if (mox::HandToRunningPreviewer(client.DviFileName, options.SourceLine, options.SourceFile)) {
    return 0;
  }

  const mox::PreviewerCommandStates commands(client);  // outlives the frame
  mox::win::TDecoratedFrame frame(client, mox::PreviewerFrameDecoration(client.Lang()));
  frame.SetCommandStates(&commands);
  // Editors find the previewer by its frame's class to ask for a page.
  frame.SetWindowClass(mox::win::kPreviewerFrameClass);
  if (!frame.Create()) return 1;
  client.SetFrame(frame.Handle());
  ui.SetMainWindow(frame.Handle());

  // A caller that asks for a hidden window (show mode 0) still gets a
  // visible previewer: there is no other way to reach it.
  ShowWindow(frame.Handle(), show_mode == SW_HIDE ? SW_SHOWNORMAL : show_mode);
  UpdateWindow(frame.Handle());
  // Idle time draws the pages near the one shown ahead.
  const int exit_code = mox::win::RunMessageLoop(frame, [&client] { return client.DrawAheadStep(); });
  ui.SetMainWindow(nullptr);
  return exit_code;
}
