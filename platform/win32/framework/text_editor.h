// The framework's text editing control: a window that shows and edits a
// TextDocument. It draws only the rows in view, lays out only the lines an
// edit changed and keeps its own undo history, so a text of megabytes
// opens, is edited, searched and replaced in time proportional to what
// changes. Text goes in and out as UTF-16 (the clipboard, other programs'
// WM_GETTEXT and EM_ messages with CR LF line ends), with no code page in
// between.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/text_document.h"
#include "platform/text_layout.h"
#include "platform/win32/framework/window.h"
#include "platform/win32/gdi.h"

namespace mox::win {

class TTextEditor : public TWindow,
                    private platform::TextDocumentListener,
                    private platform::CharacterWidths {
 public:
  enum class Alignment { Left, Right, Center };

  TTextEditor();
  ~TTextEditor() override;

  // A child window with both scroll bars, no word wrap.
  bool Create(HWND parent, int control_id);
  platform::TextDocument& Document() { return document_; }
  const platform::TextDocument& Document() const { return document_; }

  // After every change of the selection or the caret, and of the text.
  std::function<void()> OnSelectionChanged;
  std::function<void()> OnTextChanged;

  void Undo();
  void Redo();
  void Cut();
  void Copy();
  // The clipboard's text in place of the selection, its line ends made
  // the document's.
  void Paste();
  void DeleteSelection();
  void SelectAll();

  // Wrapped at the window's width, only the vertical bar is shown.
  void SetWordWrap(bool wrap);
  bool WordWrap() const { return word_wrap_; }
  // One font and colour for the whole text.
  void SetTextFont(const LOGFONTW& font, COLORREF color);
  const LOGFONTW& TextFont() const { return log_font_; }
  COLORREF TextColor() const { return text_color_; }
  void SetAlignment(Alignment alignment);
  Alignment TextAlignment() const { return alignment_; }

  void ScrollCaretIntoView();
  int RowHeight() const { return row_height_; }

  // What a program draws into the text beside the characters themselves.
  // Colours of a line's characters, in units from the line's start, in
  // order; what no run covers has the text's colour. Asked for each line
  // painted, so a program keeps its cost to the lines in view.
  struct ColourRun {
    std::size_t Start = 0;
    std::size_t End = 0;
    COLORREF Color = 0;
  };
  std::function<void(std::size_t line, std::vector<ColourRun>& runs)> LineColours;
  // Stretches of the text with a background of their own (under the
  // selection's), in document positions.
  struct Mark {
    std::size_t Start = 0;
    std::size_t End = 0;
    COLORREF Background = 0;
  };
  void SetMarks(std::vector<Mark> marks);
  // Paints the text again, as after a change of what LineColours gives.
  void RepaintText();
  // The numbers of the text's lines in a strip left of it that does not
  // scroll sideways; a wrapped line has its number on its first row.
  void SetGutter(bool shown);
  // Asked first with every key pressed: true takes the key (and the
  // character it makes) from the control.
  std::function<bool(WPARAM key)> OnKey;
  // After a character typed; when the focus went to another window.
  std::function<void()> OnTyped;
  std::function<void(HWND to)> OnFocusLost;

  // Another program (a test) reads the control with these: the gutter's
  // width in pixels (0 when hidden), and the number (from 1) of the line
  // whose row is at the top.
  static constexpr UINT kGetGutterWidth = WM_APP + 0x70;
  static constexpr UINT kGetTopLineNumber = WM_APP + 0x71;
  // The class of the window, by which other programs recognise it.
  static constexpr wchar_t kClassName[] = L"MoxTextEditor";

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Paint(HDC dc, const RECT& damaged, bool erase) override;

 private:
  // TextDocumentListener.
  void TextReset() override;
  void TextChanged(const platform::TextChange& change) override;
  void SelectionChanged() override;
  // CharacterWidths: measured once a character, with the text's font.
  int Width(char32_t character) override;

  // Keys, characters and the mouse.
  bool KeyDown(WPARAM key);
  // KeyDown's kinds of keys, each true when it took the key.
  bool CaretKey(WPARAM key, bool shift, bool control);
  bool EditingKey(WPARAM key, bool shift, bool control);
  bool ShortcutKey(WPARAM key);
  void Character(wchar_t unit);
  void MoveCaret(std::size_t position, bool extend, bool at_row_end = false);
  void MoveVertically(long rows, bool extend);
  void Type(std::u16string_view text);
  void DeleteFromCaret(bool forward, bool word);
  void MouseDown(LPARAM where, bool extend, bool words);
  void MouseMove(LPARAM where);
  void AutoScroll();
  void Wheel(int delta, bool horizontal);

  // Places: content coordinates are those of the whole text laid out, in
  // pixels; the scroller says which part of it the window shows.
  // Where a row's characters begin: right of the gutter and a margin.
  int TextLeft() const { return gutter_width_ + space_width_ / 2; }
  void UpdateGutterWidth();
  void PaintGutter(HDC dc, const RECT& damaged);
  int AlignmentOffset(const platform::TextRow& row) const;
  POINT PointOf(std::size_t position, bool at_row_end) const;
  std::size_t PositionAt(POINT client, bool& at_row_end) const;
  long ClientWidth() const;
  long ClientHeight() const;
  void UpdateScrollRanges();
  void PlaceCaret();
  void InvalidateRows(std::size_t first, std::size_t last);
  void InvalidatePositions(std::size_t from, std::size_t to);

  void PaintRow(HDC dc, std::size_t row, int top, const RECT& damaged);
  // PaintRow's steps: the part of the row in the damaged columns, the
  // marks' and the selection's backgrounds, then the characters.
  struct RowSpan;
  RowSpan DamagedSpan(std::size_t row, int top, const RECT& damaged);
  void PaintMarks(HDC dc, const RowSpan& span) const;
  void PaintSelection(HDC dc, const RowSpan& span, std::size_t start, std::size_t end) const;
  void PaintRowText(HDC dc, const RowSpan& span, std::size_t selection_start,
                    std::size_t selection_end);
  void MakeFont();
  void ScrollContent(long dx, long dy) override;

  // HandleMessage's groups of messages; those that say whether they took
  // the message leave the others to the default processing.
  void SizeChanged(LPARAM size);
  void FocusMessage(UINT message, WPARAM wparam);
  std::optional<LRESULT> KeyMessage(UINT message, WPARAM wparam);
  std::optional<LRESULT> MouseMessage(UINT message, WPARAM wparam, LPARAM lparam);

  // The text for other programs: CR LF line ends.
  std::u16string ExternalText(std::size_t start, std::size_t end) const;
  std::optional<LRESULT> EditMessage(UINT message, WPARAM wparam, LPARAM lparam);
  std::optional<LRESULT> EditTextMessage(UINT message, WPARAM wparam, LPARAM lparam);
  std::optional<LRESULT> EditPlaceMessage(UINT message, WPARAM wparam, LPARAM lparam);

  platform::TextDocument document_;
  platform::TextLayout layout_;
  LOGFONTW log_font_{};
  COLORREF text_color_ = RGB(0, 0, 0);
  Font font_;
  MemoryDc measure_dc_;
  HGDIOBJ measure_old_font_ = nullptr;
  int row_height_ = 16;
  int ascent_ = 13;
  int space_width_ = 8;
  int caret_width_ = 2;
  // Advances of the characters of the first plane (-1: not yet measured)
  // and of those beyond it.
  std::vector<std::int16_t> widths_;
  std::unordered_map<char32_t, int> wide_widths_;
  bool word_wrap_ = false;
  Alignment alignment_ = Alignment::Left;
  bool overwrite_ = false;
  // The caret at the end of a wrapped row rather than the start of the
  // next one; the x that Up and Down keep.
  bool at_row_end_ = false;
  int desired_x_ = -1;
  // A high surrogate typed, waiting for its pair.
  wchar_t high_surrogate_ = 0;
  bool selecting_ = false;
  bool selecting_words_ = false;
  std::size_t word_anchor_start_ = 0;
  std::size_t word_anchor_end_ = 0;
  POINT last_mouse_{0, 0};
  int wheel_rest_ = 0;
  std::size_t old_selection_start_ = 0;
  std::size_t old_selection_end_ = 0;
  bool has_focus_ = false;
  bool gutter_ = false;
  int gutter_width_ = 0;
  std::size_t gutter_digits_ = 0;
  std::vector<Mark> marks_;
  bool swallow_character_ = false;  // the key OnKey took makes one
  // Scratch of the painting, kept between rows.
  std::vector<ColourRun> runs_;
  std::size_t runs_line_ = static_cast<std::size_t>(-1);
  std::vector<int> advances_;
  std::u16string shown_;
};

}  // namespace mox::win
