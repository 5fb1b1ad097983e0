// The frame's panels: the structure bar (Panel3) and the palette bar
// (Panel1), the palette panel (Panel2) with its symbol box, its "x" button
// and its picture, and the caret box (Panel4) on the tool bar.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/dpi_scale.h"
#include "platform/win32/framework/tool_tips.h"
#include "platform/win32/framework/window.h"
#include "platform/win32/gdi.h"

namespace mox::varelo {

// A plain panel in the button-face colour whose controls' commands go to
// a handler.
class TPanel : public win::TWindow {
 public:
  TPanel();
  bool CreatePanel(HWND parent, bool visible);
  void OnControlCommand(std::function<void(int id)> handler) { handler_ = std::move(handler); }
  // The controls again at the panel's DPI: their places and their font.
  virtual void ApplyDpi();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  // A control in the interface font at a box of pixels at 96 dpi, drawn at
  // the panel's DPI and placed again by ApplyDpi.
  HWND AddControl(const wchar_t* window_class, const std::wstring& text, DWORD style,
                  const int (&box)[4], int id);

 private:
  struct Placed {
    HWND Control;
    int Box[4];
  };
  std::function<void(int)> handler_;
  std::vector<Placed> placed_;
};

// The colour of the palette bar's captions.
inline constexpr COLORREF kPaletteBarColor = RGB(128, 0, 128);

// A row of text buttons on a panel (the palette bar's purple ones), each
// caption drawn in the bar's colour; a click gives the button's index to
// the handler.
class TButtonBar : public TPanel {
 public:
  explicit TButtonBar(COLORREF text_color) : text_color_(text_color) {}
  bool CreateButtons(const std::vector<std::string>& captions,  // GBK
                     std::function<void(std::size_t index)> clicked);
  std::size_t Count() const { return captions_.size(); }
  const std::string& Caption(std::size_t index) const { return captions_.at(index); }
  void ApplyDpi() override;
  // The bar's height for a width: the buttons wrap into as many rows as
  // they need, so that none is cut off in a narrow window or at a large
  // scaling.
  int HeightFor(int width) const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void DrawButton(const DRAWITEMSTRUCT& item) const;
  // Each button as wide as its caption at the panel's DPI, side by side in
  // rows of the bar's width; with `move` false only measured. The rows.
  int PlaceButtons(int width, bool move) const;

  COLORREF text_color_;
  std::vector<std::string> captions_;
  std::vector<HWND> buttons_;
};

// Image1: a picture drawn from its top-left corner at the window's DPI,
// each screen pixel showing one picture pixel (platform::ScalePicture),
// and clipped to the window. The pointer's moves are reported in the
// picture's own pixels, mapped back the way the picture was drawn, so the
// symbol found is the one under the pointer at any scaling; and the clicks.
class TPictureBox : public win::TWindow {
 public:
  TPictureBox();
  bool CreateBox(HWND parent, const platform::ScaledBox& box);  // in pixels
  // The bitmap file in place of the picture; false (the picture kept) when
  // it cannot be read as a bitmap.
  bool Load(const std::string& path);  // GBK
  void OnPointer(std::function<void(int x, int y)> moved, std::function<void()> clicked);
  // The picture drawn again at the window's DPI.
  void ApplyDpi();

 protected:
  void Paint(HDC dc, const RECT& damaged, bool erase) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  win::Bitmap picture_;  // as loaded, for 96 dpi
  win::Bitmap shown_;    // at the window's DPI
  SIZE size_{0, 0};      // of shown_
  bool pressed_ = false;
  std::function<void(int, int)> moved_;
  std::function<void()> clicked_;
};

// Panel2: Edit1, the TeX text of the symbol under the pointer; Button1,
// which hides the panel; Image1, the palette picture, with its hint.
class TPalettePanel : public TPanel {
 public:
  struct Handlers {
    std::function<void()> Hide;                    // Button1
    std::function<void(int x, int y)> PointerMoved;  // over Image1
    std::function<void()> Clicked;                 // Image1
  };
  bool CreateControls(Handlers handlers);
  HWND SymbolBox() const { return symbol_box_; }
  std::string Symbol() const;  // Edit1's text, GBK
  void SetSymbol(const std::string& text);
  TPictureBox& Picture() { return image_; }
  void ApplyDpi() override;

 private:
  HWND symbol_box_ = nullptr;
  TPictureBox image_;
  win::TToolTips hints_;
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
