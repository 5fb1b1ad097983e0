// A tool bar of buttons with a glyph each from the program's bitmaps, with
// or without a short caption below it: the previewer's bar of bitmap
// buttons at the top of its frame, Varelo's bar of captioned buttons that
// its frame places and docks. Each button's hint is the owner's: shown in
// the status line as the pointer moves over it (TBN_HOTITEMCHANGE), or as
// a tool tip (TTN_GETDISPINFO) on a bar made with tool tips.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/framework/scaled_bitmap.h"
#include "platform/win32/gdi.h"

namespace mox::win {

struct ToolBarButton {
  int CommandId = 0;     // sent when pressed
  int BitmapId = 0;      // a bitmap resource of the glyph size, square
  std::string Caption;   // GBK; empty: a glyph only
  int SeparatorAfter = 0;  // the width of a separator after it at 96 dpi, 0 for none
};

struct ToolBarLayout {
  int GlyphSize = 20;    // at 96 dpi
  // 0: the bar lies along its owner's top, its buttons as large as their
  // glyphs need; otherwise the owner places it, its buttons this high at
  // 96 dpi, as wide as the widest caption, wrapped into rows, with tool tips.
  int ButtonHeight = 0;
};

class TToolBar {
 public:
  TToolBar() = default;
  TToolBar(const TToolBar&) = delete;
  TToolBar& operator=(const TToolBar&) = delete;

  // Creates the bar in owner, drawn at `dpi`, its captions in `font` (the
  // bar's own font, scaled to the DPI, when null).
  bool Create(HWND owner, int control_id, std::vector<ToolBarButton> buttons,
              ToolBarLayout layout, int dpi, HFONT font = nullptr);
  HWND Handle() const { return bar_; }
  // The height the bar needs.
  int Height() const;
  void SetEnabled(int command_id, bool enabled);
  bool IsEnabled(int command_id) const;
  // The buttons again at another DPI (and font), in the states they had.
  void SetDpi(int dpi, HFONT font = nullptr);

 private:
  bool Captioned() const { return layout_.ButtonHeight > 0; }
  // The font the captions are drawn in at the bar's DPI.
  HFONT CaptionFont(HFONT given, Font& scaled);
  void SetGlyphs();
  void Fill(HFONT given);
  // Every captioned button as wide as the widest caption needs.
  void FitCaptions(HFONT font, int glyph);

  HWND bar_ = nullptr;
  std::vector<ToolBarButton> buttons_;
  ToolBarLayout layout_;
  int dpi_ = 96;
  int glyph_pixels_ = 0;      // the glyphs' size the bar was last filled with
  LRESULT first_caption_ = 0;
  bool filled_ = false;
  HFONT own_font_ = nullptr;  // the bar's, at the system's DPI
  Font scaled_font_;
  ToolImages images_;
};

}  // namespace mox::win
