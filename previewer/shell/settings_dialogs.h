// The previewer's dialogs over its portable choices: Select page, Options
// and TrueType fonts, each in the template of the message language.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/win32/framework/dialog.h"
#include "previewer/shell/options_choice.h"

#include "previewer/dvi/scan_document.h"
#include "previewer/fonts/face_table.h"

namespace mox {

// Select page: the list of the selectable pages, the current one chosen.
// The list position the user picked, or nothing for Cancel.
std::optional<std::int32_t> RunPageDialog(HWND owner, const ScanDocument& doc,
                                          std::int32_t current_page);

// Options: the choice the user confirmed, or nothing for Cancel.
std::optional<OptionsChoice> RunOptionsDialog(HWND owner, const Options& options,
                                              Language language);

// TrueType fonts: Define and Remove change the face table while the dialog
// is open; true for OK (the table is to be kept), false for Cancel.
class TTFontDialog : public win::TDialog {
 public:
  // Edits the table in place.
  TTFontDialog(HWND owner, FaceTable& table, Language language);

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Define();
  void Remove();
  void RefreshLines(const std::vector<int>& entries);

  FaceTable& table_;
  Language language_;
  win::ListBoxData lines_;
  int list_id_;
};

}  // namespace mox
