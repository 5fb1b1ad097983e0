#include "frontend/win32/recovery_form.h"

#include <algorithm>

#include "frontend/core/frame_files.h"
#include "frontend/win32/mdi_frame.h"
#include "platform/win32/wide_text.h"

namespace mox::varelo {
namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 260;

// "paper.ctx  (2026-12-08 10:30:00)  Z:\\论文\\paper.ctx"
std::string RowOf(const RecoveryCopy& copy) {
  const bool untitled = copy.FileName == kUntitledFileName;
  std::string row = untitled ? std::string(kUntitledCaption) : NamePartOf(copy.FileName);
  row += "  (" + copy.Time + ")";
  if (!untitled) row += "  " + copy.FileName;
  return row;
}

}  // namespace

TRecoveryForm::TRecoveryForm(TFrameForm& frame, std::vector<RecoveryStore::Orphan> orphans)
    : TCodedDialog(frame.Handle(), "恢复未保存的文本", SIZE{kWidth, kHeight},
                   TypeFace{L"宋体", 9, GB2312_CHARSET}),
      frame_(frame),
      orphans_(std::move(orphans)) {}

void TRecoveryForm::CreateControls() {
  const DWORD shown = WS_VISIBLE;
  AddControl(L"STATIC",
             "Varelo 上次没有正常结束, 下面这些窗口的文本没有保存. 恢复的文本放进新窗口,"
             " 标为已改动; 没有处理的下次启动时再列出.",
             shown, RECT{10, 8, kWidth - 20, 34}, 0);
  AddControl(L"LISTBOX", "",
             shown | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT |
                 LBS_NOTIFY,
             RECT{10, 46, kWidth - 20, 160}, kListId, WS_EX_CLIENTEDGE);
  const int top = kHeight - 38;
  AddControl(L"BUTTON", "恢复(&R)", shown | WS_TABSTOP | BS_DEFPUSHBUTTON,
             RECT{kWidth - 330, top, 100, 26}, kRestoreId);
  AddControl(L"BUTTON", "丢弃(&D)", shown | WS_TABSTOP, RECT{kWidth - 220, top, 100, 26},
             kDiscardId);
  AddControl(L"BUTTON", "以后再说(&L)", shown | WS_TABSTOP, RECT{kWidth - 110, top, 100, 26},
             IDCANCEL);
  FillList();
}

void TRecoveryForm::FillList() {
  const HWND list = GetDlgItem(Handle(), kListId);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const RecoveryStore::Orphan& orphan : orphans_) {
    SendMessageW(list, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(platform::Widen(RowOf(orphan.Copy)).c_str()));
  }
  // All of them chosen: Enter restores everything.
  SendMessageW(list, LB_SETSEL, TRUE, -1);
}

std::vector<int> TRecoveryForm::SelectedRows() const {
  const HWND list = GetDlgItem(Handle(), kListId);
  const int count = static_cast<int>(SendMessageW(list, LB_GETSELCOUNT, 0, 0));
  std::vector<int> rows(static_cast<std::size_t>(std::max(0, count)));
  if (count > 0) {
    SendMessageW(list, LB_GETSELITEMS, static_cast<WPARAM>(count),
                 reinterpret_cast<LPARAM>(rows.data()));
  }
  std::sort(rows.rbegin(), rows.rend());
  return rows;
}

void TRecoveryForm::Restore() {
  std::vector<int> rows = SelectedRows();
  // Restored in the order they were written, the newest window in front.
  std::reverse(rows.begin(), rows.end());
  std::vector<int> done;
  for (int row : rows) {
    if (row < 0 || static_cast<std::size_t>(row) >= orphans_.size()) continue;
    if (frame_.RestoreCopy(orphans_[static_cast<std::size_t>(row)])) done.push_back(row);
  }
  std::sort(done.rbegin(), done.rend());
  for (int row : done) orphans_.erase(orphans_.begin() + row);
}

void TRecoveryForm::Discard() {
  for (int row : SelectedRows()) {
    if (row < 0 || static_cast<std::size_t>(row) >= orphans_.size()) continue;
    frame_.DiscardCopy(orphans_[static_cast<std::size_t>(row)]);
    orphans_.erase(orphans_.begin() + row);
  }
}

bool TRecoveryForm::Command(int id, int notification) {
  if (id != kRestoreId && id != kDiscardId && id != IDOK) {
    return TCodedDialog::Command(id, notification);
  }
  if (id == kDiscardId) {
    Discard();
  } else {
    Restore();
  }
  FillList();
  if (orphans_.empty()) Hide();
  return true;
}

}  // namespace mox::varelo
