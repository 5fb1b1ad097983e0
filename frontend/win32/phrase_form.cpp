#include "frontend/win32/phrase_form.h"

#include "frontend/core/list_dialog_texts.h"
#include "frontend/win32/resource_ids.h"
#include "platform/user_interface.h"
#include "platform/win32/wide_text.h"

namespace mox::varelo {

Tusermacro::Tusermacro(TFrameForm& frame, std::string folder)
    : TListDialog(frame, IDD_PHRASES, IDC_PHRASE_TEXT),
      folder_(std::move(folder)),
      loaded_(LoadPhrases(folder_)) {}

void Tusermacro::SetupWindow() {
  SetWindowTextW(Handle(), platform::Widen(kPhraseCaption).c_str());
  SetItemText(IDC_PHRASE_LABEL, std::string(kPhraseEditLabel));
  SetItemText(IDOK, std::string(kSelectButton));
  SetItemText(IDC_PHRASE_SAVE, std::string(kSaveButton));
  SetItemText(IDC_PHRASE_HELP, std::string(kHelpButton));
  SetItemText(IDCANCEL, std::string(kCancelButton));

  if (!CreateList(IDC_PHRASE_GRID, kPhraseDescriptionHeading, kPhraseTextHeading, kPhraseRows,
                  true, {IDC_PHRASE_TEXT})) {
    return;
  }
  for (std::size_t row = 0; row < kPhraseRows; ++row) {
    grid_->SetCell(row, 0, loaded_.Rows[row].Description);
    grid_->SetCell(row, 1, loaded_.Rows[row].Phrase);
  }
  grid_->SelectRow(0);
  grid_->OnRowClick([this](std::size_t row) { SetItemText(IDC_PHRASE_TEXT, grid_->Cell(row, 1)); });
  grid_->OnRowDoubleClick([this](std::size_t) { Insert(); });

  hints_.Add(Handle(), grid_->Handle(), std::string(kPhraseListHint));
  hints_.Add(Handle(), GetDlgItem(Handle(), IDOK), std::string(kPhraseOkHint));
  hints_.Add(Handle(), GetDlgItem(Handle(), IDC_PHRASE_SAVE), std::string(kPhraseSaveHint));
  hints_.Add(Handle(), GetDlgItem(Handle(), IDC_PHRASE_HELP), std::string(kPhraseHelpHint));
}

bool Tusermacro::Command(int id, int) {
  switch (id) {
    case IDOK: Insert(); return true;
    case IDC_PHRASE_SAVE: Save(); return true;
    case IDC_PHRASE_HELP:
      platform::Ui().ShowBox(kPhraseHelpText, kPhraseHelpCaption,
                             platform::kBoxOk | platform::kBoxIconInformation);
      return true;
    case IDCANCEL: Hide(); return true;
    default: return false;
  }
}

PhraseList Tusermacro::GridPhrases() const {
  PhraseList list = loaded_;
  if (!grid_) return list;
  // Description and phrase from their own columns, whichever order the
  // columns are shown in: a dragged column must not swap them in the file.
  for (std::size_t row = 0; row < kPhraseRows; ++row) {
    list.Rows[row].Description = grid_->Cell(row, 0);
    list.Rows[row].Phrase = grid_->Cell(row, 1);
  }
  return list;
}

void Tusermacro::Save() {
  // A failed save has shown its reason; the dialog stays with the edits.
  if (SavePhrases(folder_, GridPhrases())) Hide();
}

}  // namespace mox::varelo
