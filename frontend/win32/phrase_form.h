// Tusermacro, the user phrase dialog (the Texmac unit): a modeless dialog
// over the phrases of usermac.txt, edited in place in a grid, with the
// phrase to insert (Edit1, also the structure bar's carrier), insert, save,
// help and cancel.
#pragma once

#include <string>

#include "frontend/core/user_phrases.h"
#include "frontend/win32/list_dialog.h"

namespace mox::varelo {

class Tusermacro : public TListDialog {
 public:
  // Reads folder's usermac.txt (folder: where the program file is) and
  // saves there.
  Tusermacro(TFrameForm& frame, std::string folder);

 protected:
  void SetupWindow() override;
  bool Command(int id, int notification) override;

 private:
  PhraseList GridPhrases() const;
  void Save();

  std::string folder_;
  PhraseList loaded_;
};

}  // namespace mox::varelo
