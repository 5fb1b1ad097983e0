// A rich-edit control in plain-text mode for an editor window: text in and
// out as UTF-16 with CR line ends (the control's own form, so that its
// positions count the same units), the selection, undo and the clipboard
// commands, word wrap, the font and the paragraph alignment.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <cstddef>
#include <string>

namespace mox::win {

class TPlainRichEdit {
 public:
  // Both scroll bars always shown, the selection kept visible without the
  // focus, no word wrap, and no limit to speak of (2147482623 characters).
  bool Create(HWND parent, int control_id);
  HWND Handle() const { return edit_; }

  std::u16string Text() const;
  // Replaces the text; the caret goes to its start and no undo step is left.
  void SetText(const std::u16string& text);
  std::u16string TextRange(std::size_t start, std::size_t end) const;
  std::size_t TextLength() const;

  void GetSelection(std::size_t& start, std::size_t& end) const;
  void SetSelection(std::size_t start, std::size_t end);
  // As typing would: one undo step, the caret after the text.
  void ReplaceSelection(std::u16string_view text);
  bool HasSelection() const;

  bool IsModified() const;
  void SetModified(bool modified);

  long LineFromPosition(std::size_t position) const;
  std::size_t LineStart(long line) const;

  void Undo();
  void Cut();
  void Copy();
  // The clipboard's text in place of the selection, as one undo step.
  // (The control's own paste is not used: in plain-text mode some systems
  // replace the whole text with the clipboard's.)
  void Paste();
  void DeleteSelection();
  void SelectAll();

  // Wrapped at the window's width, only the vertical bar is shown;
  // unwrapped, both are.
  void SetWordWrap(bool wrap);
  bool WordWrap() const { return word_wrap_; }

  // The font of the selection (of the text typed next at the caret), as a
  // logical font for the font dialog, and a chosen one applied to it.
  LOGFONTW SelectionFont() const;
  COLORREF SelectionColor() const;
  void SetSelectionFont(const LOGFONTW& font, COLORREF color);
  // The font of the whole text and of the text typed next (GBK face name,
  // size in tenths of a point).
  void SetDefaultFont(const std::string& face, int tenths_of_points, BYTE charset);
  // The alignment of the paragraphs of the selection: PFA_LEFT, PFA_RIGHT,
  // PFA_CENTER.
  void SetAlignment(WORD alignment);
  WORD Alignment() const;

 private:
  CHARFORMAT2W SelectionFormat() const;
  // Pastes by message or key reach Paste.
  static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND edit_ = nullptr;
  WNDPROC control_procedure_ = nullptr;
  bool word_wrap_ = false;
};

}  // namespace mox::win
