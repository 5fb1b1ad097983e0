// TAboutBoxTH: the modeless About box. "谢谢 [&OK]" hides it; "最新信息"
// hides it and shows the news file; "电子邮件" and the two blue labels
// open the mail program.
#pragma once

#include <windows.h>

#include "platform/win32/framework/modeless_dialog.h"

namespace mox::varelo {

class TFrameForm;

class TAboutBoxTH : public win::TModelessDialog {
 public:
  explicit TAboutBoxTH(TFrameForm& frame);

 protected:
  void SetupWindow() override;
  bool Command(int id, int notification) override;
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  TFrameForm& frame_;
};

}  // namespace mox::varelo
