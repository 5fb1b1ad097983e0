#include "previewer/shell/settings_dialogs.h"

#include <commdlg.h>

#include "platform/win32/framework/font_dialog.h"
#include "previewer/resources/resource_ids.h"
#include "previewer/shell/commands.h"
#include "previewer/shell/face_choice.h"
#include "previewer/shell/page_choice.h"

namespace mox {
namespace {

// A dialog or control id in the message language.
int Localised(int english_id, Language language) {
  return CommandIdFor(english_id, language == Language::Chinese);
}

}  // namespace

std::optional<std::int32_t> RunPageDialog(HWND owner, const ScanDocument& doc,
                                          std::int32_t current_page) {
  const Language language = doc.Report.Lang();
  win::ListBoxData pages;
  pages.Lines = PageListLines(doc);
  if (!pages.Lines.empty()) pages.Selected = {ListPositionOfPage(doc, current_page)};
  win::TDialog dialog(owner, Localised(IDD_PAGE_LIST, language));
  dialog.TransferListBox(Localised(IDC_PAGE_LIST, language), &pages);
  if (dialog.Execute() != IDOK) return std::nullopt;
  return pages.Selected.empty() ? -1 : pages.Selected.front();
}

std::optional<OptionsChoice> RunOptionsDialog(HWND owner, const Options& options,
                                              Language language) {
  OptionsChoice choice = CurrentOptionsChoice(options);
  win::ComboBoxData resolution{choice.ResolutionEntries, choice.ResolutionSelection,
                               choice.ResolutionText};
  win::TDialog dialog(owner, Localised(IDD_OPTIONS, language));
  dialog.TransferComboBox(Localised(IDC_RESOLUTION, language), &resolution, 11);
  dialog.TransferText(Localised(IDC_PK_PATH, language), &choice.PkFontPath, 256);
  dialog.TransferText(Localised(IDC_HZ_PATH, language), &choice.ChineseFontPath, 256);
  dialog.TransferText(Localised(IDC_GAMMA, language), &choice.GammaText, 11);
  dialog.TransferCheck(Localised(IDC_SAVE_OPTIONS, language), &choice.Save);
  if (dialog.Execute() != IDOK) return std::nullopt;
  choice.ResolutionSelection = resolution.Selection;
  choice.ResolutionText = resolution.Text;
  return choice;
}

TTFontDialog::TTFontDialog(HWND owner, FaceTable& table, Language language)
    : win::TDialog(owner, Localised(IDD_TRUETYPE, language)),
      table_(table),
      language_(language),
      list_id_(Localised(IDC_ZITI_LIST, language)) {
  lines_.Lines = ZitiLines(table_, language_);
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
  platform::LogFontA font = ChooserStart(table_, selected.front());
  win::FontChooserSetup setup;
  setup.TemplateId = Localised(IDD_FONT_CHOOSER, language_);
  setup.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_ANSIONLY | CF_TTONLY | CF_LIMITSIZE;
  setup.FontType = SCREEN_FONTTYPE;
  setup.MinimumSize = 20;
  setup.MaximumSize = 20;
  if (!win::ChooseFontWithTemplate(Handle(), setup, font)) return;
  DefineFaces(table_, selected, font);
  RefreshLines(selected);
}

void TTFontDialog::Remove() {
  const std::vector<int> selected = ListSelection(list_id_);
  RemoveFaces(table_, selected);
  RefreshLines(selected);
}

void TTFontDialog::RefreshLines(const std::vector<int>& entries) {
  for (int entry : entries) {
    ReplaceListLine(list_id_, entry, ZitiLine(table_, entry, language_), true);
  }
}

}  // namespace mox
