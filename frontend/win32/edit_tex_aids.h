// The TeX aids of an editor window: the text coloured from the TeX state
// kept through every edit (only the lines shown are coloured; the states
// are made exact in idle time where they were guessed), the brace beside
// the caret marked with its partner, Ctrl+] to the partner, and the list
// of commands offered after a backslash and two letters, shown at the
// caret while the editor keeps the keys.
#pragma once

#include <windows.h>

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "frontend/core/command_completion.h"
#include "frontend/core/document_tex_aids.h"
#include "frontend/core/tex_line_states.h"
#include "platform/win32/framework/text_editor.h"
#include "platform/win32/gdi.h"

namespace mox::varelo {

class TEditTexAids : private platform::TextDocumentListener {
 public:
  // `form`: the window the list is a child of and whose timer and
  // commands come here (Timer, ListCommand).
  TEditTexAids(win::TTextEditor& control, HWND form);
  ~TEditTexAids() override;
  TEditTexAids(const TEditTexAids&) = delete;
  TEditTexAids& operator=(const TEditTexAids&) = delete;

  void SetColouring(bool on);
  bool Colouring() const { return colouring_; }
  // Ctrl+]: the caret just after the partner of the brace beside it.
  void GoToPartner();
  // The caret moved or the text changed under it.
  void CaretMoved();
  void Timer(UINT_PTR id);
  // The list's notifications (WM_COMMAND from it).
  void ListCommand(HWND list, WORD notification);
  // The editor lost the focus to another window than the list.
  void FocusLost(HWND to);

  static constexpr UINT_PTR kCatchUpTimer = 0x7E01;
  static constexpr int kListId = 2;

 private:
  void TextReset() override;
  void TextChanged(const platform::TextChange& change) override;
  void SelectionChanged() override {}

  void ColourLine(std::size_t line, std::vector<win::TTextEditor::ColourRun>& runs);
  void UpdateBraces();
  // Completion: offered after a character typed, kept up to date while
  // the caret stays in the same word.
  void Typed();
  bool Key(WPARAM key);
  void Offer(bool open);
  void ShowList();
  void HideList();
  void InsertChosen();
  const CommandCompletion& Completion();

  win::TTextEditor& control_;
  HWND form_;
  bool colouring_ = true;
  TexLineStates states_;
  TexLineStates::LineText line_text_;
  GbkUnits line_scratch_;
  GbkUnits painted_line_;
  std::vector<TexUnitRun> unit_runs_;
  // The state each line shown was coloured from: a later edit that
  // changes one of them repaints the text.
  std::map<std::size_t, TexLineState> painted_;
  bool catching_up_ = false;

  HWND list_ = nullptr;
  win::Font list_font_;
  DocumentCompletion shown_;  // the context the list was made for
  std::vector<CompletionItem> items_;
};

}  // namespace mox::varelo
