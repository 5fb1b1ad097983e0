// The print dialog: the pages to print picked from the page list, with
// buttons that select all, none, odd or even pages, and the results that
// ask for the printer setup, a preview or printing (the command runs them
// and shows the dialog again).
#pragma once

#include <windows.h>

#include "platform/win32/framework/dialog.h"
#include "previewer/shell/print_choice.h"

#include "previewer/base/bilingual.h"

namespace mox {

class TMOXPrintDialog : public win::TDialog {
 public:
  // The results besides IDCANCEL: the English ids of the buttons.
  TMOXPrintDialog(HWND owner, win::ListBoxData& pages, Language language);

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void SelectAll(bool selected);
  void KeepOnly(bool odd);

  win::ListBoxData& pages_;
  int list_id_;
};

}  // namespace mox
