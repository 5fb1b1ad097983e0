// The frame's panels: the structure bar (Panel3) and the palette bar
// (Panel1), the palette panel (Panel2) with its symbol box, its "x" button
// and its picture, and the caret box (Panel4) on the tool bar.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/framework/window.h"

namespace mox::varelo {

// A plain panel in the button-face colour whose controls' commands go to
// a handler.
class TPanel : public win::TWindow {
 public:
  TPanel();
  bool CreatePanel(HWND parent, bool visible);
  void OnControlCommand(std::function<void(int id)> handler) { handler_ = std::move(handler); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  std::function<void(int)> handler_;
};

// Panel2: Edit1, the TeX text of the symbol under the pointer; Button1,
// which hides the panel; Image1, the palette picture, with its hint.
class TPalettePanel : public TPanel {
 public:
  bool CreateControls(std::function<void()> hide);
  HWND SymbolBox() const { return symbol_box_; }

 private:
  HWND symbol_box_ = nullptr;
  HWND image_ = nullptr;
  HWND tips_ = nullptr;
};

// Panel4: "光标" (Label3) over the caret position (Label4).
class TCaretBox : public TPanel {
 public:
  bool CreateLabels();
  void SetPosition(const std::string& text);  // GBK

 private:
  HWND value_ = nullptr;
};

}  // namespace mox::varelo
