#include "previewer/shell/about_dialog.h"

#include "previewer/resources/resource_ids.h"

namespace mox {

TAboutDialog::TAboutDialog(HWND parent) : TDialog(parent, IDD_ABOUT) {}

void TAboutDialog::SetupWindow() {
  SetItemText(IDC_ABOUT_DATE, "Built " __DATE__);
}

}  // namespace mox
