// TEditForm, an editor window (the MDIEdit unit): an MDI child with the
// framework's text editor, its menus merged into the frame's while it is
// active, the find and replace dialogs, fonts, alignment, word wrap and
// printing. Its file handling and search are the portable Editor's; this
// class turns window messages into calls of them.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <memory>
#include <optional>
#include <string>

#include "frontend/core/editor.h"
#include "platform/win32/framework/mdi_frame.h"
#include "platform/win32/framework/menu_set.h"
#include "platform/win32/framework/search_dialog.h"
#include "platform/win32/framework/text_editor.h"

namespace mox::varelo {

class TFrameForm;
class TEditTexAids;

class TEditForm : public win::TMdiChild, private EditorHost, public Editor {
 public:
  // `number`: the window's own among the program's, which names its
  // recovery copy.
  TEditForm(TFrameForm& frame, int number);
  ~TEditForm() override;

  // Creates the window, maximized, with its text control.
  bool CreateEditor();

  bool CanClose() override;
  bool Command(int id) override;
  win::TMenuSet* Menus() override { return &menus_; }
  HACCEL Accelerators() const override { return accelerators_.Handle(); }

  // Pastes the clipboard's text at the caret (InsertViaClipboard).
  void PasteClipboard() { control_.Paste(); }
  HWND TextWindow() const { return control_.Handle(); }
  // The caret at the start of a line (from 1) of the text, scrolled into
  // view, the caret label updated; the line the caret is on.
  void ShowLine(std::int32_t line);
  std::int32_t CaretLine();

  int Number() const { return number_; }
  // The caption: the file's name, and " *" after it while the text is
  // modified; the frame's window menu follows.
  void RefreshCaption();
  // Whether the text changed since its recovery copy was written (or
  // there is none of a modified text), and that it was written or dropped.
  bool CopyDue() { return Document().Modified() && (!copied_ || copied_version_ != Document().Version()); }
  bool HasCopy() const { return copied_; }
  void CopyWritten() {
    copied_ = true;
    copied_version_ = Document().Version();
  }
  void CopyDropped() { copied_ = false; }

  // The text's font at the frame's new DPI.
  void ApplyDpi();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Resized(int width, int height) override;

 private:
  // EditorHost.
  platform::TextDocument& Document() override { return control_.Document(); }
  void SetCaption(const std::string& caption) override;
  std::optional<std::string> AskSaveFileName(const std::string& preset) override;
  void ShowCaretLabel(const std::string& text) override;
  void TextSaved() override;

  // The edit commands act on the frame's active editor, whichever
  // window's menu sent them.
  void EditCommand(int id);
  void UpdateEditItems(HMENU popup);
  void ShowContextMenu(LPARAM where);
  void SearchAction(const win::TSearchDialog& dialog, win::TSearchDialog::Action action);
  static FindRequest RequestOf(const win::TSearchDialog& dialog);
  void Print();
  void ChooseFont();
  // The text's font at the system's DPI, as the font dialog and the
  // printout measure it.
  LOGFONTW ScreenFont() const;
  void Align(int id);
  void ToggleWordWrap();
  void ToggleBar(int id);
  void ToggleColouring();

  TFrameForm& frame_;
  int number_;
  std::string caption_;    // GBK, without the mark
  std::wstring shown_caption_;
  bool copied_ = false;
  std::uint64_t copied_version_ = 0;
  win::TMenuSet menus_;
  win::TPopupMenu context_menu_;
  win::TAcceleratorTable accelerators_;
  win::TTextEditor control_;         // Editor
  int font_dpi_ = platform::kBaseDpi;  // the DPI control_'s font is measured at
  win::TSearchDialog find_dialog_;     // FindDialog1
  win::TSearchDialog replace_dialog_;  // ReplaceDialog1
  // Colouring, brace marks and completion; made with the window.
  std::unique_ptr<TEditTexAids> aids_;
};

}  // namespace mox::varelo
