// A tool bar of buttons that show a glyph above a short caption, with a
// tool tip (the hint) for each button; the owner answers the tool tips'
// TTN_GETDISPINFO and receives the commands.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/framework/scaled_bitmap.h"
#include "platform/win32/gdi.h"

namespace mox::win {

struct CaptionedButton {
  int CommandId = 0;
  int BitmapId = 0;      // a bitmap resource of glyph_size square
  std::string Caption;   // GBK
};

class TTextToolBar {
 public:
  // Creates the bar at the top of owner, buttons button_height pixels high,
  // glyphs glyph_size square (both at 96 dpi), drawn at `dpi`.
  bool Create(HWND owner, int control_id, const std::vector<CaptionedButton>& buttons,
              int glyph_size, int button_height, int dpi);
  HWND Handle() const { return bar_; }
  // The height the bar needs.
  int Height() const;
  void SetEnabled(int command_id, bool enabled);
  bool IsEnabled(int command_id) const;
  // The buttons again at another DPI, in the states they had.
  void SetDpi(int dpi);

 private:
  void Fill();

  HWND bar_ = nullptr;
  std::vector<CaptionedButton> buttons_;
  int glyph_size_ = 0;
  int button_height_ = 0;
  int dpi_ = 96;
  LRESULT first_caption_ = 0;
  bool filled_ = false;
  HFONT own_font_ = nullptr;  // the bar's, at the system's DPI
  Font scaled_font_;
  ToolImages images_;
};

}  // namespace mox::win
