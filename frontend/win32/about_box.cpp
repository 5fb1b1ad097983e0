#include "frontend/win32/about_box.h"

#include "frontend/core/commands.h"
#include "frontend/win32/mdi_frame.h"
#include "frontend/win32/resource_ids.h"

namespace mox::varelo {

TAboutBoxTH::TAboutBoxTH(TFrameForm& frame) : TModelessDialog(frame.Handle(), IDD_ABOUT), frame_(frame) {}

void TAboutBoxTH::SetupWindow() { SetItemText(IDC_ABOUT_VERSION, "版本 " VARELO_VERSION); }

bool TAboutBoxTH::Command(int id, int notification) {
  switch (id) {
    case IDC_ABOUT_NEWS:
      Hide();
      frame_.ShowNews();
      return true;
    case IDC_ABOUT_MAIL:
      frame_.WriteMail(CM_MAIL_AUTHOR);
      return true;
    case IDC_ABOUT_AUTHOR:
    case IDC_ABOUT_ADDRESS:
      if (notification == STN_CLICKED) frame_.WriteMail(CM_MAIL_AUTHOR);
      return true;
    default:
      return TModelessDialog::Command(id, notification);
  }
}

INT_PTR TAboutBoxTH::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CTLCOLORSTATIC) {
    // The labels that open the mail program are blue, like links.
    const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lparam));
    if (id == IDC_ABOUT_AUTHOR || id == IDC_ABOUT_ADDRESS) {
      const HDC dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, RGB(0, 0, 0xC0));
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
  }
  return TModelessDialog::HandleMessage(message, wparam, lparam);
}

}  // namespace mox::varelo
