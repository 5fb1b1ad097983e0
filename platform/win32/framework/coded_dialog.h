// A modeless dialog whose controls are made in code rather than read from a
// dialog template: a real dialog window (keys, tab order and mnemonics work
// as in any dialog) of a given client size, centred on the screen, created
// hidden once, shown and hidden for the rest of the run.
#pragma once

#include <windows.h>

#include <string>

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
  // client: the size of the client area in pixels; caption GBK.
  TCodedDialog(HWND owner, std::string caption, SIZE client, TypeFace face);

 protected:
  // Makes the controls (with AddControl), once, right after creation.
  virtual void CreateControls() = 0;

  // A child control in the dialog's type face; box is x, y, width, height
  // in client pixels; text is GBK.
  HWND AddControl(const wchar_t* window_class, const std::string& text, DWORD style,
                  const RECT& box, int id, DWORD ex_style = 0);
  HFONT Font() const;

 private:
  void SetupWindow() final;

  std::string caption_;
  SIZE client_;
  TypeFace face_;
  ::mox::win::Font font_;  // the controls' type
};

}  // namespace mox::win
