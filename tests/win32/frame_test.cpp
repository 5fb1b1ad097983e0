// The decorated frame and the message boxes as the previewer's rules want
// them: palette messages, which only top-level windows get, reach the
// client; minimizing leaves the client's size alone; an empty caption stays
// empty.
#include "platform/win32/framework/decorated_frame.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/win32/win32_user_interface.h"

namespace mox::win {
namespace {

class RecordingClient : public TWindow {
 public:
  std::vector<UINT> Palette;
  std::vector<std::pair<int, int>> Sizes;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == WM_PALETTECHANGED || message == WM_QUERYNEWPALETTE) {
      Palette.push_back(message);
      return TRUE;
    }
    if (message == WM_SIZE) Sizes.emplace_back(LOWORD(lparam), HIWORD(lparam));
    return TWindow::HandleMessage(message, wparam, lparam);
  }
};

TEST(DecoratedFrameTest, PaletteMessagesReachTheClientAndMinimizingLeavesItsSize) {
  RecordingClient client;
  FrameDecoration decoration;
  decoration.Title = "frame test";
  TDecoratedFrame frame(client, decoration);
  ASSERT_TRUE(frame.Create());
  ShowWindow(frame.Handle(), SW_SHOWNOACTIVATE);

  EXPECT_EQ(SendMessageW(frame.Handle(), WM_QUERYNEWPALETTE, 0, 0), TRUE);
  SendMessageW(frame.Handle(), WM_PALETTECHANGED, reinterpret_cast<WPARAM>(frame.Handle()), 0);
  EXPECT_EQ(client.Palette, (std::vector<UINT>{WM_QUERYNEWPALETTE, WM_PALETTECHANGED}));

  RECT before;
  GetClientRect(client.Handle(), &before);
  ASSERT_GT(before.right, 0);
  client.Sizes.clear();
  ShowWindow(frame.Handle(), SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(frame.Handle()));
  EXPECT_TRUE(client.Sizes.empty());
  RECT after;
  GetClientRect(client.Handle(), &after);
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.bottom, before.bottom);
  DestroyWindow(frame.Handle());
}

BOOL CALLBACK KeepDialog(HWND window, LPARAM found_at) {
  wchar_t name[16] = L"";
  GetClassNameW(window, name, 16);
  if (std::wstring(name) != L"#32770") return TRUE;
  *reinterpret_cast<HWND*>(found_at) = window;
  return FALSE;
}

// The dialog (a message box) a thread shows, if any.
HWND DialogOfThread(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(thread, KeepDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Shows a box with an empty caption and reads the caption it got, closing it.
std::wstring CaptionOfABoxWithoutOne() {
  std::wstring caption = L"(no box)";
  const DWORD thread = GetCurrentThreadId();
  std::thread reader([&] {
    for (int tries = 0; tries < 500; ++tries) {
      if (HWND box = DialogOfThread(thread)) {
        wchar_t text[64] = L"";
        GetWindowTextW(box, text, 64);
        caption = text;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return;
      }
      Sleep(20);
    }
  });
  platform::Win32UserInterface ui;
  ui.ShowBox("Invalid page no.", "", MB_OK);
  reader.join();
  return caption;
}

TEST(MessageBoxTest, AnEmptyCaptionStaysEmpty) { EXPECT_EQ(CaptionOfABoxWithoutOne(), L""); }

}  // namespace
}  // namespace mox::win
