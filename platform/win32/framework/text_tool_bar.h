// A tool bar of buttons that show a glyph above a short caption, with a
// tool tip (the hint) for each button; the owner answers the tool tips'
// TTN_GETDISPINFO and receives the commands.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace mox::win {

struct CaptionedButton {
  int CommandId = 0;
  int BitmapId = 0;      // a bitmap resource of glyph_size square
  std::string Caption;   // GBK
};

class TTextToolBar {
 public:
  // Creates the bar at the top of owner, buttons button_height pixels high.
  bool Create(HWND owner, int control_id, const std::vector<CaptionedButton>& buttons,
              int glyph_size, int button_height);
  HWND Handle() const { return bar_; }
  // The height the bar needs.
  int Height() const;
  void SetEnabled(int command_id, bool enabled);
  bool IsEnabled(int command_id) const;

 private:
  HWND bar_ = nullptr;
  int button_height_ = 0;
};

}  // namespace mox::win
