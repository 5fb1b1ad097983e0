// The scroller of a scrolling window: a position in scroll units within a
// range, the pixel size of a unit, and what moving it does to the window.
// The window behind it is reached through ScrollHost, once per platform.
#pragma once

namespace mox::platform {

class ScrollHost {
 public:
  virtual ~ScrollHost() = default;
  // Shows one scroll bar for positions 0..range, with page units visible.
  virtual void SetScrollBar(bool horizontal, long range, long page, long position) = 0;
  // Moves what the window shows by the given pixels (content follows the
  // scroll position, so scrolling right moves content left: dx < 0).
  virtual void ScrollContent(long dx, long dy) = 0;
};

// What a scroll bar asks for, independent of the window system's codes.
enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, Top, Bottom, Thumb };

class TScroller {
 public:
  TScroller(ScrollHost& host, int x_unit, int y_unit, long x_range, long y_range);

  long XPos = 0;
  long YPos = 0;
  long XRange = 0;
  long YRange = 0;
  int XUnit = 1;
  int YUnit = 1;

  // Units are pixels per scroll unit (at least 1).
  void SetUnits(int x_unit, int y_unit);
  // A new range lowers the position into it.
  void SetRange(long x_range, long y_range);
  // The client area size decides how many units a page is.
  void SetClientSize(long width, long height);
  // Positions outside the range are clamped to it.
  void ScrollTo(long x, long y);
  void ScrollBy(long dx, long dy) { ScrollTo(XPos + dx, YPos + dy); }
  void HandleRequest(bool horizontal, ScrollRequest request, long thumb = 0);

  // Pixel offset of the view: where the window's client origin lies in the
  // scrolled content. Painting shifts the device origin by this much.
  long OriginX() const { return XPos * XUnit; }
  long OriginY() const { return YPos * YUnit; }
  long XPage() const { return x_page_; }
  long YPage() const { return y_page_; }

 private:
  void UpdateBars();

  ScrollHost& host_;
  long client_width_ = 0;
  long client_height_ = 0;
  long x_page_ = 1;
  long y_page_ = 1;
  bool updating_bars_ = false;
  bool bars_stale_ = false;
};

}  // namespace mox::platform
