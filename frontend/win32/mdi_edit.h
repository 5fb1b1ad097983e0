// TEditForm, an editor window (the MDIEdit unit): an MDI child with a
// plain-text rich-edit control, its menus merged into the frame's while it
// is active, the find and replace dialogs, fonts, alignment, word wrap and
// printing. Its file handling and search are the portable Editor's; this
// class turns window messages into calls of them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "frontend/core/editor.h"
#include "platform/win32/framework/find_replace_dialog.h"
#include "platform/win32/framework/mdi_frame.h"
#include "platform/win32/framework/menu_set.h"
#include "platform/win32/framework/rich_edit.h"

namespace mox::varelo {

class TFrameForm;

class TEditForm : public win::TMdiChild, private EditorHost, public Editor {
 public:
  explicit TEditForm(TFrameForm& frame);
  ~TEditForm() override;

  // Creates the window, maximized, with its text control.
  bool CreateEditor();

  bool CanClose() override;
  bool Command(int id) override;
  win::TMenuSet* Menus() override { return &menus_; }
  HACCEL Accelerators() const override { return accelerators_.Handle(); }

  // Pastes the clipboard's text at the caret (InsertViaClipboard).
  void PasteClipboard() { control_.Paste(); }
  // The caret at the start of a line (from 1) of the text, scrolled into
  // view, the caret label updated; the line the caret is on.
  void ShowLine(std::int32_t line);
  std::int32_t CaretLine();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Resized(int width, int height) override;

 private:
  // EditorHost.
  std::u16string ControlText() override { return control_.Text(); }
  std::u16string TextRange(std::size_t start, std::size_t end) override {
    return control_.TextRange(start, end);
  }
  void SetControlText(const std::u16string& text) override { control_.SetText(text); }
  void GetSelection(std::size_t& start, std::size_t& end) override {
    control_.GetSelection(start, end);
  }
  void SetSelection(std::size_t start, std::size_t end) override {
    control_.SetSelection(start, end);
  }
  void ReplaceSelection(std::u16string_view text) override { control_.ReplaceSelection(text); }
  bool IsModified() override { return control_.IsModified(); }
  void SetModified(bool modified) override { control_.SetModified(modified); }
  long LineOfPosition(std::size_t position) override { return control_.LineFromPosition(position); }
  std::size_t LineStart(long line) override { return control_.LineStart(line); }
  void SetCaption(const std::string& caption) override;
  std::optional<std::string> AskSaveFileName(const std::string& preset) override;
  void ShowCaretLabel(const std::string& text) override;

  // The edit commands act on the frame's active editor, whichever
  // window's menu sent them.
  void EditCommand(int id);
  void UpdateEditItems(HMENU popup);
  void ShowContextMenu(LPARAM where);
  void FindDialogMessage(LPARAM lparam);
  FindRequest RequestOf(const win::TFindReplaceDialog& dialog, bool replace) const;
  void Print();
  void ChooseFont();
  void Align(int id);
  void ToggleWordWrap();
  void ToggleBar(int id);

  TFrameForm& frame_;
  win::TMenuSet menus_;
  win::TPopupMenu context_menu_;
  win::TAcceleratorTable accelerators_;
  win::TPlainRichEdit control_;  // Editor
  win::TFindReplaceDialog find_dialog_{false};    // FindDialog1
  win::TFindReplaceDialog replace_dialog_{true};  // ReplaceDialog1
};

}  // namespace mox::varelo
