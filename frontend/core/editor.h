// An editor window's behaviour without the window (the MDIEdit unit's
// logic): its file, the save commands and the close question, find and
// replace, and the caret label. The window (Win32 here, a fake one in the
// tests) supplies the hooks; message boxes go through platform::Ui().
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "frontend/core/recovery.h"
#include "frontend/core/search.h"
#include "frontend/core/text_file.h"
#include "platform/text_document.h"

namespace mox::varelo {

// What the editor needs of the window that holds its text control: the
// text itself is the control's document (positions in UTF-16 units,
// line ends as the file has them).
class EditorHost {
 public:
  virtual ~EditorHost() = default;
  virtual platform::TextDocument& Document() = 0;
  virtual void SetCaption(const std::string& caption) = 0;  // GBK
  // The save dialog, preset with a file name; nothing when cancelled.
  virtual std::optional<std::string> AskSaveFileName(const std::string& preset) = 0;
  // The frame's caret label (Label4).
  virtual void ShowCaretLabel(const std::string& text) = 0;
  // After the text was written to its file.
  virtual void TextSaved() {}
};

// What the find and replace dialogs hold.
struct FindRequest {
  std::u16string FindWhat;
  std::u16string ReplaceWith;
  SearchOptions Options;
  bool ReplaceAll = false;
  // Replace all in the whole text, not only below the caret.
  bool WholeText = false;
};

class Editor {
 public:
  explicit Editor(EditorHost& host) : host_(host) {}
  virtual ~Editor() = default;

  // A new window: FileName "Untitled.ctx", caption "Untitled".
  void InitializeNew();
  // OpenFile: loads the file into the window. False after a message when
  // it cannot be read, and when the user would rather not open a file that
  // does not look like text.
  bool OpenFile(const std::string& path);
  // The window as a recovery copy keeps it, and a window made again from
  // one: its names and format, the text modified.
  RecoveryCopy Copy() const;
  void Restore(const RecoveryCopy& copy);
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
  // The replace dialog's replace and replace-all buttons. Replace all
  // says how many it replaced and is one step of undo; the number is
  // returned.
  std::size_t Replace(const FindRequest& request);

  void UpdateCaretLabel();

  const std::string& FileName() const { return file_name_; }
  // Whether the window names a file (it was opened or saved, not new).
  bool HasFile() const;
  bool IsModified() const;
  // The window's name as its caption shows it: the file's name part, or
  // "Untitled".
  std::string DisplayName() const;
  const std::string& SavedFileName() const { return saved_file_name_; }
  const TextFormat& FileFormat() const { return format_; }

 private:
  enum class SaveOutcome { Written, Cancelled, Failed };
  // Opening a file that does not look like text, when the user says so.
  bool MayOpen(const std::string& path, const std::string& bytes);
  SaveOutcome SaveAsOutcome();
  // The save to FileName, which names a file.
  SaveOutcome SaveNamed();
  // False after the message; `refused` when the file itself could not be
  // written (rather than the text in its encoding).
  bool WriteText(const std::string& path, bool& refused);
  // Replace-all going down from a position; how many were replaced.
  std::size_t ReplaceEveryMatchFrom(std::size_t from, const FindRequest& request);
  void ReplaceSelectionKeepingDirection(std::u16string_view text, bool down);

  EditorHost& host_;
  std::string file_name_;
  std::string saved_file_name_;
  TextFormat format_;
  // The file's bytes as last read or written, and the document's version
  // then: written back as they were while the text is unchanged.
  std::string stored_bytes_;
  std::uint64_t stored_version_ = 0;
  bool stored_ = false;
};

}  // namespace mox::varelo
