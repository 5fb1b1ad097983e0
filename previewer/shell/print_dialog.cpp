#include "previewer/shell/print_dialog.h"

#include <algorithm>

#include "previewer/resources/resource_ids.h"
#include "previewer/shell/commands.h"

namespace mox {

TMOXPrintDialog::TMOXPrintDialog(HWND owner, win::ListBoxData& pages, Language language)
    : win::TDialog(owner, CommandIdFor(IDD_PRINT, language == Language::Chinese)), pages_(pages),
      list_id_(CommandIdFor(IDC_PRINT_PAGES, language == Language::Chinese)) {
  TransferListBox(list_id_, &pages_);
}

void TMOXPrintDialog::SelectAll(bool selected) {
  SendDlgItemMessageW(Handle(), list_id_, LB_SETSEL, selected ? TRUE : FALSE, -1);
}

void TMOXPrintDialog::KeepOnly(bool odd) {
  const std::vector<int> selected = ListSelection(list_id_);
  const std::vector<int> kept = KeepParity(pages_.Lines, selected, odd);
  for (int position : selected) {
    if (std::find(kept.begin(), kept.end(), position) == kept.end()) {
      SendDlgItemMessageW(Handle(), list_id_, LB_SETSEL, FALSE, position);
    }
  }
}

INT_PTR TMOXPrintDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_COMMAND || HIWORD(wparam) != BN_CLICKED) {
    return win::TDialog::HandleMessage(message, wparam, lparam);
  }
  const int button = EnglishCommandId(LOWORD(wparam));
  switch (button) {
    case IDC_SELECT_ALL:
      SelectAll(true);
      return TRUE;
    case IDC_UNSELECT_ALL:
      SelectAll(false);
      return TRUE;
    case IDC_ODD_PAGES:
    case IDC_EVEN_PAGES:
      KeepOnly(button == IDC_ODD_PAGES);
      return TRUE;
    case IDC_PRINT_PREVIEW:
    case IDC_PRINT_NOW:
      // Nothing to preview or print while no page is picked.
      if (ListSelection(list_id_).empty()) return TRUE;
      EndWith(button);
      return TRUE;
    case IDC_PRINT_SETUP:
    case IDC_PRINT_CLOSE:
      EndWith(button);
      return TRUE;
    default:
      return win::TDialog::HandleMessage(message, wparam, lparam);
  }
}

}  // namespace mox
