// The text of an editor window as a document: the characters as UTF-16
// with every line end as the file has it (CR LF, LF or CR, mixed as they
// come), the index of its lines, the selection, undo and redo, and the
// modified flag. Portable: the window only shows it and turns keys and
// clicks into its calls, so a large text costs what the edit changes, not
// what the text holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mox::platform {

// What one edit did: `Removed` units at `Position` gave way to `Inserted`
// ones, and lines [FirstLine, FirstLine + OldLines) of the text before
// became lines [FirstLine, FirstLine + NewLines) of the text after (the
// lines after them are the same, moved by Inserted - Removed units).
struct TextChange {
  std::size_t Position = 0;
  std::size_t Removed = 0;
  std::size_t Inserted = 0;
  std::size_t FirstLine = 0;
  std::size_t OldLines = 0;
  std::size_t NewLines = 0;
};

class TextDocumentListener {
 public:
  virtual ~TextDocumentListener() = default;
  // SetText: everything is new.
  virtual void TextReset() = 0;
  virtual void TextChanged(const TextChange& change) = 0;
  virtual void SelectionChanged() = 0;
};

// How an edit joins the undo history: characters typed one after the
// other are taken back as one step, and so are deletions with Backspace or
// Delete; every other edit is a step of its own.
enum class EditKind { Typing, Deleting, Other };

class TextDocument {
 public:
  TextDocument();
  TextDocument(const TextDocument&) = delete;
  TextDocument& operator=(const TextDocument&) = delete;

  // A new text: the selection at its start, no undo history, not
  // modified. `new_line_end` is what a line break typed or pasted becomes.
  void SetText(std::u16string text, std::u16string_view new_line_end = u"\r\n");
  const std::u16string& Text() const { return text_; }
  std::size_t Length() const { return text_.size(); }
  std::u16string_view Range(std::size_t start, std::size_t end) const;
  std::u16string_view NewLineEnd() const { return new_line_end_; }

  // Lines, counted from 0. A line ends with CR LF, LF or CR; after a line
  // end there is always one more line (empty at the end of the text).
  std::size_t LineCount() const { return line_starts_.size(); }
  std::size_t LineStart(std::size_t line) const;
  // Where the line's characters end, before its line end.
  std::size_t LineEnd(std::size_t line) const;
  std::size_t LineOf(std::size_t position) const;

  // The selection runs from the anchor to the caret, either way round.
  std::size_t Anchor() const { return anchor_; }
  std::size_t Caret() const { return caret_; }
  std::size_t SelectionStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
  std::size_t SelectionEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
  bool HasSelection() const { return anchor_ != caret_; }
  // Positions are kept inside the text and never split a CR LF or a
  // surrogate pair (they move back to its start). A selection made here
  // ends the typing step under way.
  void Select(std::size_t anchor, std::size_t caret);
  // The start of the character (or CR LF) a position lies in.
  std::size_t Boundary(std::size_t position) const;

  // Replaces the selection; the caret ends after the new text.
  void ReplaceSelection(std::u16string_view text, EditKind kind = EditKind::Other);
  // Replaces a stretch as one undo step; the caret ends after the new text.
  void Replace(std::size_t start, std::size_t end, std::u16string_view text,
               EditKind kind = EditKind::Other);

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // Takes the last step back (its selection as it was before) or does it
  // again; false when there is none.
  bool Undo();
  bool Redo();

  // Set by every change of the text, undo and redo included.
  bool Modified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }
  // Counts the changes since the document was made: equal versions mean
  // the same text.
  std::uint64_t Version() const { return version_; }

  void AddListener(TextDocumentListener* listener);
  void RemoveListener(TextDocumentListener* listener);

  // Units of text the undo history keeps at most (the last step is kept
  // whatever its size).
  static constexpr std::size_t kUndoLimit = 16u << 20;

 private:
  struct Step {
    std::size_t Position = 0;
    std::u16string Removed;
    std::u16string Inserted;
    std::size_t AnchorBefore = 0;
    std::size_t CaretBefore = 0;
    EditKind Kind = EditKind::Other;
  };

  // The change itself, with the line index brought up to date.
  TextChange Apply(std::size_t start, std::size_t end, std::u16string_view text);
  void Record(Step step);
  bool MergeInto(Step& last, const Step& step) const;
  void TrimHistory();
  void SetSelection(std::size_t anchor, std::size_t caret);
  void NotifyChange(const TextChange& change);
  void NotifySelection();

  std::u16string text_;
  std::u16string new_line_end_ = u"\r\n";
  std::vector<std::size_t> line_starts_;
  std::size_t anchor_ = 0;
  std::size_t caret_ = 0;
  std::vector<Step> undo_;
  std::vector<Step> redo_;
  std::size_t history_units_ = 0;
  // A selection made since the last edit: the next typing is a new step.
  bool step_closed_ = true;
  bool modified_ = false;
  std::uint64_t version_ = 0;
  std::vector<TextDocumentListener*> listeners_;
};

// Text with each of its line ends (CR LF, LF, CR) written as `line_end`.
std::u16string WithLineEnds(std::u16string_view text, std::u16string_view line_end);

}  // namespace mox::platform
