// A modeless dialog whose controls are made in code rather than read from a
// dialog template: a real dialog window (keys, tab order and mnemonics work
// as in any dialog), created hidden once, shown and hidden for the rest of
// the run. Closing it only hides it.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/gdi.h"

namespace mox::win {

class TCodedDialog {
 public:
  // client: the size of the client area in pixels. The controls' type
  // face, size and character set: a dialog in Chinese names a Chinese face
  // and GB2312_CHARSET, so that its edit boxes show Chinese where the system
  // would not link a Chinese font behind the default dialog font.
  struct TypeFace {
    std::wstring Name = L"MS Shell Dlg";
    int Points = 9;
    BYTE CharSet = DEFAULT_CHARSET;
  };
  TCodedDialog(HWND owner, std::string caption, SIZE client, TypeFace face);
  virtual ~TCodedDialog();
  TCodedDialog(const TCodedDialog&) = delete;
  TCodedDialog& operator=(const TCodedDialog&) = delete;

  // Creates the dialog, hidden and centred on the screen; false when the
  // system refused it.
  bool Create();
  HWND Handle() const { return hwnd_; }
  // Shows it in front of the others.
  void Show();
  void Hide();

 protected:
  // Makes the controls (with AddControl), once, right after creation.
  virtual void CreateControls() = 0;
  // A control's command; true when handled. Nothing by default (OK and
  // Cancel included: a dialog says what they do).
  virtual bool Command(int id, int notification) {
    (void)id; (void)notification;
    return false;
  }
  // Other messages; TRUE when handled.
  virtual INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    (void)message; (void)wparam; (void)lparam;
    return FALSE;
  }

  // A child control in the dialog's font; box is x, y, width, height in
  // client pixels; text is GBK.
  HWND AddControl(const wchar_t* window_class, const std::string& text, DWORD style,
                  const RECT& box, int id, DWORD ex_style = 0);
  HFONT Font() const;

 private:
  static INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wparam,
                                          LPARAM lparam);
  HWND owner_;
  std::string caption_;
  SIZE client_;
  TypeFace face_;
  ::mox::win::Font font_;  // the controls' type
  HWND hwnd_ = nullptr;
};

}  // namespace mox::win
