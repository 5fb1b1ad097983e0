#include "frontend/win32/list_dialog.h"

#include <string>
#include <vector>

#include "frontend/core/list_dialog_texts.h"
#include "frontend/win32/mdi_frame.h"
#include "platform/win32/framework/chinese_font.h"

namespace mox::varelo {

TListDialog::TListDialog(TFrameForm& frame, int template_id, int insertion_box)
    : TModelessDialog(frame.Handle(), template_id), frame_(frame), insertion_box_(insertion_box) {}

TListDialog::~TListDialog() {
  // Before the face its boxes use is deleted.
  if (Handle() != nullptr) DestroyWindow(Handle());
}

HWND TListDialog::InsertionBox() const { return GetDlgItem(Handle(), insertion_box_); }

bool TListDialog::CreateList(int placeholder, std::string_view description_heading,
                             std::string_view text_heading, std::size_t rows, bool editable,
                             std::initializer_list<int> chinese_boxes) {
  grid_ = std::make_unique<win::TGridControl>(
      std::vector<std::string>{std::string(description_heading), std::string(text_heading)},
      rows, win::GridOptions{editable, kListRowHeight});
  if (!grid_->CreateInPlaceOf(GetDlgItem(Handle(), placeholder))) return false;
  RECT box{};
  GetWindowRect(grid_->Handle(), &box);
  for (std::size_t column = 0; column < 2; ++column) {
    grid_->SetColumnWidth(column, ListColumnWidth(box.right - box.left));
  }
  edit_font_ = win::ChineseControlFont(
      reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
  win::SetControlsFont(Handle(), chinese_boxes, edit_font_.Get());
  grid_->SetEditorFont(edit_font_.Get());
  return true;
}

void TListDialog::Insert() {
  Hide();
  frame_.InsertViaClipboard(InsertionBox(), nullptr);
}

}  // namespace mox::varelo
