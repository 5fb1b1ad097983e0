// A modeless dialog whose controls are made in code rather than read from a
// dialog template: a real dialog window (keys, tab order and mnemonics work
// as in any dialog) of a given client size, centred on the screen, created
// hidden once, shown and hidden for the rest of the run.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/dpi_scale.h"

#include "platform/win32/framework/modeless_dialog.h"
#include "platform/win32/gdi.h"

namespace mox::win {

class TCodedDialog : public TModelessDialog {
 public:
  // The controls' type face, size and character set: a dialog in Chinese
  // names a Chinese face and GB2312_CHARSET, so that its edit boxes show
  // Chinese where the system links no Chinese font behind the default
  // dialog font.
  struct TypeFace {
    std::wstring Name = L"MS Shell Dlg";
    int Points = 9;
    BYTE CharSet = DEFAULT_CHARSET;
  };
  // client: the size of the client area in pixels at 96 dpi; caption GBK.
  TCodedDialog(HWND owner, std::string caption, SIZE client, TypeFace face);

  // The DPI the dialog is laid out at: its monitor's when it was made, then
  // what WM_DPICHANGED says.
  int Dpi() const { return dpi_; }

 protected:
  // Makes the controls (with AddControl), once, right after creation.
  virtual void CreateControls() = 0;
  // After the controls were placed again at a new DPI: what the dialog
  // draws in other fonts or sizes of its own.
  virtual void DpiChanged() {}

  // A child control in the dialog's type face; box is x, y, width, height
  // in client pixels at 96 dpi, scaled to the dialog's DPI; text is GBK.
  HWND AddControl(const wchar_t* window_class, const std::string& text, DWORD style,
                  const RECT& box, int id, DWORD ex_style = 0);
  // A box at 96 dpi (x, y, width, height) at the dialog's DPI, for a
  // control the dialog makes itself; Track places it again with the rest.
  RECT Scaled(const RECT& box) const;
  void Track(HWND control, const RECT& box);
  HFONT Font() const;
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  struct Placed {
    HWND Control;
    RECT Box;
  };
  void SetupWindow() final;
  void MakeFont();
  // The window's size for the client size at the DPI, its corner at `left`,
  // `top`.
  void PlaceWindow(int left, int top);

  std::string caption_;
  SIZE client_;
  TypeFace face_;
  int dpi_ = platform::kBaseDpi;
  ::mox::win::Font font_;  // the controls' type
  std::vector<Placed> placed_;
};

}  // namespace mox::win
