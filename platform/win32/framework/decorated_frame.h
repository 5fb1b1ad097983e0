// A top-level frame around one client window, with a menu, a tool bar of
// bitmap buttons at the top and a status bar at the bottom that shows the
// hint of the menu item or button under the mouse.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/framework/scaled_bitmap.h"
#include "platform/win32/gdi.h"
#include "platform/win32/framework/window.h"

namespace mox::win {

struct ToolButton {
  int BitmapId;       // bitmap resource, 20 by 20 pixels
  int CommandId;      // sent when pressed
  int SeparatorAfter; // width of the separator after it, 0 for none
};

struct FrameDecoration {
  std::string Title;                 // GBK
  const wchar_t* MenuName = nullptr;
  const wchar_t* AcceleratorName = nullptr;
  int IconId = 0;
  std::vector<ToolButton> Buttons;
  int ButtonSize = 20;                // at 96 dpi, as the separators' widths
  int GadgetFontPoints = 10;
  // A centred, borderless field at the right of the status bar, when set.
  std::string StatusField;           // GBK
  int StatusFieldCharacters = 0;
  // Smallest size the user can give the frame at 96 dpi, 0 for the system's.
  int MinTrackWidth = 0;
  int MinTrackHeight = 0;
};

class TDecoratedFrame : public TWindow {
 public:
  TDecoratedFrame(TWindow& client, FrameDecoration decoration);
  ~TDecoratedFrame() override;

  // Creates the frame, its bars and the client window inside it.
  bool Create();
  HACCEL Accelerators() const { return accelerators_; }
  HWND ToolBar() const { return tool_bar_; }
  HWND StatusBar() const { return status_bar_; }

  // GBK caption.
  void SetCaption(const std::string& text);
  // Decides whether a command is enabled; asked when a menu opens and by
  // UpdateCommandStates for the tool bar buttons.
  void SetCommandEnabler(std::function<bool(int)> enabler) { enabler_ = std::move(enabler); }
  // Whether a menu item of a choice is checked, asked when its menu opens;
  // nothing for an item that is no choice.
  void SetCommandChecker(std::function<std::optional<bool>(int)> checker) {
    checker_ = std::move(checker);
  }
  void UpdateCommandStates();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void DpiChanged() override;

 private:
  void CreateToolBar();
  // The buttons, their glyphs at the frame's DPI and the separators.
  void FillToolBar();
  void CreateStatusBar();
  void Layout();
  void ShowHint(UINT id);
  void ClearHint();
  void EnableMenuItems(HMENU menu);

  TWindow& client_;
  FrameDecoration decoration_;
  HACCEL accelerators_ = nullptr;
  HWND tool_bar_ = nullptr;
  HWND status_bar_ = nullptr;
  Font gadget_font_;
  ToolImages images_;
  int glyph_size_ = 0;
  std::function<bool(int)> enabler_;
  std::function<std::optional<bool>(int)> checker_;
  bool closing_ = false;
};

}  // namespace mox::win
