// What the assistant and the phrase dialog share: a modeless dialog with a
// two-column list in a grid, a box holding the text to insert (Edit1), the
// insertion through the frame, hints, and a Chinese face for the boxes that
// edit Chinese text.
#pragma once

#include <windows.h>

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <string_view>

#include "platform/win32/framework/grid_control.h"
#include "platform/win32/framework/modeless_dialog.h"
#include "platform/win32/framework/tool_tips.h"
#include "platform/win32/gdi.h"

namespace mox::varelo {

class TFrameForm;

class TListDialog : public win::TModelessDialog {
 public:
  TListDialog(TFrameForm& frame, int template_id, int insertion_box);
  ~TListDialog() override;

  HWND InsertionBox() const;  // Edit1

 protected:
  // The grid in the place of the placeholder, its columns (width - 30) / 2
  // wide; the Chinese face given to the boxes and the grid's editor.
  bool CreateList(int placeholder, std::string_view description_heading,
                  std::string_view text_heading, std::size_t rows, bool editable,
                  std::initializer_list<int> chinese_boxes);
  // Edit1's text to the clipboard, the dialog hidden, the text pasted into
  // the active editor window when there is one.
  void Insert();

  TFrameForm& frame_;
  std::unique_ptr<win::TGridControl> grid_;  // StringGrid1
  win::TToolTips hints_;

 private:
  int insertion_box_;
  win::Font edit_font_;
};

}  // namespace mox::varelo
