// A modeless dialog made from a dialog template: created hidden once, shown
// and hidden for the rest of the run. OK, Cancel and the close box hide it;
// the message loop gives it its keys while it exists.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace mox::win {

class TModelessDialog {
 public:
  TModelessDialog(HWND owner, int template_id);
  virtual ~TModelessDialog();
  TModelessDialog(const TModelessDialog&) = delete;
  TModelessDialog& operator=(const TModelessDialog&) = delete;

  // Creates the dialog, hidden; false when the template cannot be used.
  bool Create();
  HWND Handle() const { return hwnd_; }
  // Shows it in front of the others.
  void Show();
  void Hide();

  void SetItemText(int control_id, const std::string& text);  // GBK

 protected:
  // A dialog made from a template in memory (the words of a DLGTEMPLATE)
  // instead of one among the program's resources.
  TModelessDialog(HWND owner, std::vector<WORD> memory_template);

  // After the dialog was created.
  virtual void SetupWindow() {}
  // A button or control command; true when handled. The default hides
  // the dialog for OK and Cancel.
  virtual bool Command(int id, int notification);
  // Other messages; TRUE when handled.
  virtual INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  static INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wparam,
                                          LPARAM lparam);
  HWND owner_;
  int template_id_ = 0;
  std::vector<WORD> memory_template_;
  HWND hwnd_ = nullptr;
};

}  // namespace mox::win
