#include "previewer/shell/settings_dialogs.h"

#include <commdlg.h>

#include "platform/win32/framework/font_dialog.h"
#include "previewer/resources/resource_ids.h"
#include "previewer/shell/commands.h"
#include "previewer/shell/face_choice.h"
#include "previewer/shell/page_choice.h"
#include "previewer/render/process_document.h"

namespace mox {
namespace {

// A dialog or control id in the message language.
int Localised(int english_id) { return CommandIdFor(english_id, ChineseMessages()); }

}  // namespace

std::optional<std::int32_t> RunPageDialog(HWND owner, std::int32_t current_page) {
  win::ListBoxData pages;
  pages.Lines = PageListLines();
  if (!pages.Lines.empty()) pages.Selected = {ListPositionOfPage(current_page)};
  win::TDialog dialog(owner, Localised(IDD_PAGE_LIST));
  dialog.TransferListBox(Localised(IDC_PAGE_LIST), &pages);
  if (dialog.Execute() != IDOK) return std::nullopt;
  return pages.Selected.empty() ? -1 : pages.Selected.front();
}

std::optional<OptionsChoice> RunOptionsDialog(HWND owner) {
  OptionsChoice choice = CurrentOptionsChoice();
  win::ComboBoxData resolution{choice.ResolutionEntries, choice.ResolutionSelection,
                               choice.ResolutionText};
  win::TDialog dialog(owner, Localised(IDD_OPTIONS));
  dialog.TransferComboBox(Localised(IDC_RESOLUTION), &resolution, 11);
  dialog.TransferText(Localised(IDC_PK_PATH), &choice.PkFontPath, 256);
  dialog.TransferText(Localised(IDC_HZ_PATH), &choice.ChineseFontPath, 256);
  dialog.TransferText(Localised(IDC_GAMMA), &choice.GammaText, 11);
  dialog.TransferCheck(Localised(IDC_SAVE_OPTIONS), &choice.Save);
  if (dialog.Execute() != IDOK) return std::nullopt;
  choice.ResolutionSelection = resolution.Selection;
  choice.ResolutionText = resolution.Text;
  return choice;
}

TTFontDialog::TTFontDialog(HWND owner)
    : win::TDialog(owner, Localised(IDD_TRUETYPE)), list_id_(Localised(IDC_ZITI_LIST)) {
  lines_.Lines = ZitiLines();
  TransferListBox(list_id_, &lines_);
}

INT_PTR TTFontDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND && HIWORD(wparam) == BN_CLICKED) {
    // The buttons answer to their English and Chinese ids alike.
    switch (EnglishCommandId(LOWORD(wparam))) {
      case IDC_DEFINE_FACE:
        Define();
        return TRUE;
      case IDC_REMOVE_FACE:
        Remove();
        return TRUE;
      default:
        break;
    }
  }
  return win::TDialog::HandleMessage(message, wparam, lparam);
}

void TTFontDialog::Define() {
  const std::vector<int> selected = ListSelection(list_id_);
  if (selected.empty()) return;
  platform::LogFontA font = ChooserStart(selected.front());
  win::FontChooserSetup setup;
  setup.TemplateId = Localised(IDD_FONT_CHOOSER);
  setup.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_ANSIONLY | CF_TTONLY | CF_LIMITSIZE;
  setup.FontType = SCREEN_FONTTYPE;
  setup.MinimumSize = 20;
  setup.MaximumSize = 20;
  if (!win::ChooseFontWithTemplate(Handle(), setup, font)) return;
  DefineFaces(selected, font);
  RefreshLines(selected);
}

void TTFontDialog::Remove() {
  const std::vector<int> selected = ListSelection(list_id_);
  RemoveFaces(selected);
  RefreshLines(selected);
}

void TTFontDialog::RefreshLines(const std::vector<int>& entries) {
  for (int entry : entries) ReplaceListLine(list_id_, entry, ZitiLine(entry), true);
}

}  // namespace mox
