// A modal dialog made from a dialog template in the program's resources,
// with transfer data: fields bound to controls are copied into the controls
// when the dialog opens and back out when the user presses OK.
#pragma once

#include <windows.h>

#include "platform/win32/framework/dialog_window.h"

namespace mox::win {

class TDialog : public TDialogWindow {
 public:
  TDialog(HWND parent, const wchar_t* template_name);
  TDialog(HWND parent, int template_id);

  // Shows the dialog and returns the id of the button that ended it (IDOK,
  // IDCANCEL), or -1 when the template cannot be used.
  INT_PTR Execute();

 protected:
  // Before the data is taken out on OK; false keeps the dialog open.
  virtual bool CanClose() { return true; }
  // OK and Cancel; other messages are the dialog's own.
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  // Takes the data out of the controls and ends the dialog with a result
  // of the dialog's own (as OK does with IDOK).
  void EndWith(INT_PTR result);
};

}  // namespace mox::win
