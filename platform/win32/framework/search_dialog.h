// The editor's find and replace dialogs, of the program's own rather than
// the system's: their text is read as UTF-16 from the edit boxes, so that
// Chinese (and every other character) searches alike whatever the
// system's code page is. Modeless, created once, shown and hidden; the
// text and options stay between showings. Searching starts down with the
// other options off.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/framework/coded_dialog.h"

namespace mox::win {

class TSearchDialog : public TCodedDialog {
 public:
  enum class Action { FindNext, Replace, ReplaceAll };

  // A find dialog ("查找"), or a replace dialog ("替换") with its text to
  // put in, its replace buttons and the choice to replace in the whole
  // text; the replace dialog offers no direction: it searches down.
  TSearchDialog(HWND owner, bool replace);

  // Told of every button pressed.
  std::function<void(Action)> OnAction;

  std::u16string FindWhat() const;
  std::u16string ReplaceWith() const;
  bool Down() const { return replace_ || IsChecked(kDownId); }
  bool MatchCase() const { return IsChecked(kMatchCaseId); }
  bool WholeWord() const { return IsChecked(kWholeWordId); }
  // Replace all from the top of the text instead of from the caret.
  bool WholeText() const { return replace_ && IsChecked(kWholeTextId); }

  static constexpr int kFindId = 101;
  static constexpr int kReplaceWithId = 102;
  static constexpr int kWholeWordId = 103;
  static constexpr int kMatchCaseId = 104;
  static constexpr int kUpId = 105;
  static constexpr int kDownId = 106;
  static constexpr int kWholeTextId = 107;
  static constexpr int kReplaceId = 108;
  static constexpr int kReplaceAllId = 109;

 protected:
  void CreateControls() override;
  bool Command(int id, int notification) override;

 private:
  bool IsChecked(int id) const;
  void EnableButtons();

  bool replace_;
};

}  // namespace mox::win
