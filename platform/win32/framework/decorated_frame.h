// A top-level frame around one client window, with a menu, a tool bar of
// bitmap buttons at the top and a status bar at the bottom that shows the
// hint of the menu item or button under the mouse, as the command states
// give it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/command_states.h"
#include "platform/win32/framework/tool_bar.h"
#include "platform/win32/gdi.h"
#include "platform/win32/framework/window.h"

namespace mox::win {

struct FrameDecoration {
  std::string Title;                 // GBK
  const wchar_t* MenuName = nullptr;
  std::vector<ACCEL> Accelerators;
  int IconId = 0;
  std::vector<ToolBarButton> Buttons;  // glyphs of 20 by 20 pixels, no captions
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

  // GBK caption.
  void SetCaption(const std::string& text);
  // What enables the commands and checks the choices: asked when a menu
  // opens and by UpdateCommandStates for the tool bar buttons (none: every
  // command enabled).
  void SetCommandStates(const platform::CommandStates* states) { states_ = states; }
  void UpdateCommandStates();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void DpiChanged() override;

 private:
  void CreateStatusBar();
  void Layout();
  // The hint of a command or popup, from the command states; 0 clears it.
  void ShowHint(int id);
  // The hint of the item (or popup) a menu has selected: WM_MENUSELECT's.
  void MenuSelected(UINT flags, UINT item, HMENU menu);

  TWindow& client_;
  FrameDecoration decoration_;
  HACCEL accelerators_ = nullptr;
  TToolBar tool_bar_;
  HWND status_bar_ = nullptr;
  Font gadget_font_;
  const platform::CommandStates* states_ = nullptr;
  bool closing_ = false;
};

}  // namespace mox::win
