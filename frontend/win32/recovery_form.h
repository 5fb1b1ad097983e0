// The list of texts a Varelo that did not end normally left unsaved,
// shown at start: each with its file name and the time of its copy, to be
// restored into windows marked modified or thrown away; what the user
// leaves is offered again at the next start.
#pragma once

#include <vector>

#include "frontend/core/recovery.h"
#include "platform/win32/framework/coded_dialog.h"

namespace mox::varelo {

class TFrameForm;

class TRecoveryForm : public win::TCodedDialog {
 public:
  TRecoveryForm(TFrameForm& frame, std::vector<RecoveryStore::Orphan> orphans);

  static constexpr int kListId = 101;
  static constexpr int kRestoreId = 102;
  static constexpr int kDiscardId = 103;

 protected:
  void CreateControls() override;
  bool Command(int id, int notification) override;

 private:
  void FillList();
  // The selected rows, last first, so that removing them keeps the others'
  // places.
  std::vector<int> SelectedRows() const;
  void Restore();
  void Discard();

  TFrameForm& frame_;
  std::vector<RecoveryStore::Orphan> orphans_;
};

}  // namespace mox::varelo
