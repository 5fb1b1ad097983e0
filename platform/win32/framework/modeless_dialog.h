// A modeless dialog made from a dialog template: created hidden once, shown
// and hidden for the rest of the run. OK, Cancel and the close box hide it;
// the message loop gives it its keys while it exists.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/win32/framework/dialog_window.h"

namespace mox::win {

class TModelessDialog : public TDialogWindow {
 public:
  TModelessDialog(HWND owner, int template_id);
  ~TModelessDialog() override;

  // Creates the dialog, hidden; false when the template cannot be used.
  bool Create();
  // Shows it in front of the others.
  void Show();
  void Hide();

 protected:
  // A dialog made from a template in memory (the words of a DLGTEMPLATE)
  // instead of one among the program's resources.
  TModelessDialog(HWND owner, std::vector<WORD> memory_template);

  // The default hides the dialog for OK and Cancel.
  bool Command(int id, int notification) override;

 private:
  bool Close() final;
  void Destroyed() final;
};

}  // namespace mox::win
