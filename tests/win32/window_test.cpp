// The framework's window with a scroller: scroll bars follow the scroller,
// and painting sees the view shifted by the scroll position.
#include "platform/win32/framework/window.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace mox::win {
namespace {

class PaintRecorder : public TWindow {
 public:
  int Paints = 0;
  POINT Origin{};
  RECT Damaged{};

 protected:
  void Paint(HDC dc, const RECT& damaged, bool) override {
    ++Paints;
    GetWindowOrgEx(dc, &Origin);
    Damaged = damaged;
  }
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const RECT bounds{0, 0, 216, 216};
    ASSERT_TRUE(window.Create(nullptr, WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL, 0,
                              L"scroller test", bounds));
    ShowWindow(window.Handle(), SW_SHOWNOACTIVATE);
    window.AttachScroller();
    window.Scroller()->SetUnits(10, 10);
    window.Scroller()->SetRange(50, 40);
  }
  void TearDown() override { DestroyWindow(window.Handle()); }

  PaintRecorder window;
};

TEST_F(WindowTest, ScrollBarsShowTheScrollerRangeAndPosition) {
  window.Scroller()->ScrollTo(7, 32767);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(window.Handle(), SB_HORZ, &info));
  EXPECT_EQ(info.nPos, 7);
  EXPECT_EQ(info.nMax - static_cast<int>(info.nPage) + 1, 50);  // last position
  ASSERT_TRUE(GetScrollInfo(window.Handle(), SB_VERT, &info));
  EXPECT_EQ(info.nPos, 40);
  EXPECT_EQ(info.nMax - static_cast<int>(info.nPage) + 1, 40);
}

TEST_F(WindowTest, PaintingIsShiftedByTheScrollPosition) {
  window.Scroller()->ScrollTo(2, 3);
  UpdateWindow(window.Handle());
  window.Paints = 0;
  InvalidateRect(window.Handle(), nullptr, FALSE);
  UpdateWindow(window.Handle());
  ASSERT_EQ(window.Paints, 1);
  EXPECT_EQ(window.Origin.x, 20);
  EXPECT_EQ(window.Origin.y, 30);
  RECT client;
  GetClientRect(window.Handle(), &client);
  EXPECT_EQ(window.Damaged.left, 20);
  EXPECT_EQ(window.Damaged.top, 30);
  EXPECT_EQ(window.Damaged.right, client.right + 20);
  EXPECT_EQ(window.Damaged.bottom, client.bottom + 30);
}

TEST_F(WindowTest, ScrollBarMessagesMoveTheScroller) {
  SendMessageW(window.Handle(), WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  SendMessageW(window.Handle(), WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
  EXPECT_EQ(window.Scroller()->XPos, 1);
  EXPECT_EQ(window.Scroller()->YPos, 40);
  SendMessageW(window.Handle(), WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
  EXPECT_EQ(window.Scroller()->YPos, 0);
}

}  // namespace
}  // namespace mox::win
