// An editor window's behaviour without the window (the MDIEdit unit's
// logic): its file, the save commands and the close question, find and
// replace, and the caret label. The window (Win32 here, a fake one in the
// tests) supplies the hooks; message boxes go through platform::Ui().
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "frontend/core/search.h"
#include "frontend/core/text_file.h"

namespace mox::varelo {

// What the editor needs of the window that holds its text control. Text
// and positions are the control's: UTF-16 units, lines ended by CR.
class EditorHost {
 public:
  virtual ~EditorHost() = default;
  virtual std::u16string ControlText() = 0;
  // The text between two positions.
  virtual std::u16string TextRange(std::size_t start, std::size_t end) = 0;
  // Replaces the whole text (the caret at its start, no undo step).
  virtual void SetControlText(const std::u16string& text) = 0;
  virtual void GetSelection(std::size_t& start, std::size_t& end) = 0;
  virtual void SetSelection(std::size_t start, std::size_t end) = 0;
  // Replaces the selection, as typing would (one undo step); the caret
  // ends after the new text.
  virtual void ReplaceSelection(std::u16string_view text) = 0;
  virtual bool IsModified() = 0;
  virtual void SetModified(bool modified) = 0;
  // The control's line (from 0) of a position, and the position its line
  // begins at.
  virtual long LineOfPosition(std::size_t position) = 0;
  virtual std::size_t LineStart(long line) = 0;
  virtual void SetCaption(const std::string& caption) = 0;  // GBK
  // The save dialog, preset with a file name; nothing when cancelled.
  virtual std::optional<std::string> AskSaveFileName(const std::string& preset) = 0;
  // The frame's caret label (Label4).
  virtual void ShowCaretLabel(const std::string& text) = 0;
};

// What the find and replace dialogs hold.
struct FindRequest {
  std::u16string FindWhat;
  std::u16string ReplaceWith;
  SearchOptions Options;
  bool ReplaceAll = false;
};

class Editor {
 public:
  explicit Editor(EditorHost& host) : host_(host) {}
  virtual ~Editor() = default;

  // A new window: FileName "Untitled.ctx", caption "Untitled".
  void InitializeNew();
  // OpenFile: loads the file into the window. False after a message when
  // it cannot be read.
  bool OpenFile(const std::string& path);
  // Save1Click and Saveas1Click; true when the text was written.
  bool Save();
  bool SaveAs();
  // The close question of a modified text; true when the window may close
  // (No, or Yes and the text was saved).
  bool CanCloseText();

  // FindInEditor: selects the next match and answers whether there was one.
  bool FindInEditor(std::u16string_view text, const SearchOptions& options);
  // The find dialog's (and F3's) find next, with its message when nothing
  // is found.
  void FindNext(const FindRequest& request);
  // The replace dialog's replace and replace-all buttons.
  void Replace(const FindRequest& request);

  void UpdateCaretLabel();

  const std::string& FileName() const { return file_name_; }
  const std::string& SavedFileName() const { return saved_file_name_; }
  const TextFormat& FileFormat() const { return format_; }

 private:
  enum class SaveOutcome { Written, Cancelled, Failed };
  SaveOutcome SaveAsOutcome();
  // The save to FileName, which names a file.
  SaveOutcome SaveNamed();
  bool WriteText(const std::string& path);
  // Replace-all going down, after the selection's own replacement.
  void ReplaceEveryMatchBelow(const FindRequest& request);
  void ReplaceSelectionKeepingDirection(std::u16string_view text, bool down);

  EditorHost& host_;
  std::string file_name_;
  std::string saved_file_name_;
  TextFormat format_;
  // The text as last read or written, and the file's bytes then: written
  // back as they were while the text is unchanged, whatever the file held.
  std::u16string stored_text_;
  std::string stored_bytes_;
  bool stored_ = false;
};

}  // namespace mox::varelo
