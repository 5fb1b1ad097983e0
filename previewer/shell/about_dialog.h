// The About box: program title, version and the date the program was built.
#pragma once

#include "platform/win32/framework/dialog.h"

namespace mox {

class TAboutDialog : public win::TDialog {
 public:
  explicit TAboutDialog(HWND parent);

 protected:
  void SetupWindow() override;
};

}  // namespace mox
