// Print preview: a page window that a printout draws page 1 into (as it
// would on paper, scaled to the window), inside a layout window that keeps
// it at the paper's proportions, inside a frame that runs modally: the
// program's main frame waits, disabled, until the preview is closed.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/win32/framework/decorated_frame.h"
#include "platform/win32/framework/printout.h"
#include "platform/win32/framework/window.h"
#include "platform/win32/gdi.h"

namespace mox::win {

// The page: white paper that the printout draws on, into a bitmap of the
// window's size a band at a time, one band a posted message, so that the
// preview shows at once and fills while the user looks (the program has
// one thread). Nothing is drawn before Start, which comes once the page is
// ready to draw.
class TPreviewPage : public TWindow {
 public:
  explicit TPreviewPage(TPrintout& printout) : printout_(printout) {}
  void Start();

 protected:
  void Paint(HDC dc, const RECT& damaged, bool erase) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  // Draws the next band into the bitmap and shows it; true while bands are left.
  bool DrawNextBand();

  TPrintout& printout_;
  bool started_ = false;
  Bitmap drawn_;
  SIZE drawn_size_{0, 0};
  int drawn_rows_ = 0;  // rows of the bitmap drawn so far
};

// The window round the page, in the system's application workspace colour;
// `place` says where the page goes for a client size.
class TLayoutWindow : public TWindow {
 public:
  using Placement = std::function<RECT(int client_width, int client_height)>;
  TLayoutWindow(TPreviewPage& page, Placement place);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  TPreviewPage& page_;
  Placement place_;
};

// A decorated frame run modally: its destruction ends the loop and gives
// the owner back its input.
class TModalFrame : public TDecoratedFrame {
 public:
  TModalFrame(TWindow& client, FrameDecoration decoration)
      : TDecoratedFrame(client, std::move(decoration)) {}

  // Creates and shows the frame, disables the owner, then asks `prepare`
  // (the frame closes at once when it answers false) and runs messages
  // until the frame is destroyed; Esc closes it too. IDCANCEL.
  INT_PTR Execute(HWND owner, const std::function<bool()>& prepare = {});

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  HWND owner_ = nullptr;
  bool running_ = false;
};

}  // namespace mox::win
